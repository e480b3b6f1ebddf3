#!/usr/bin/env perl
# commands.pl menus|accelerators COMMAND_TABLE_CPP
# Reads the program's command table and prints, one per line:
#   menus:        the xdotool keys that reach each menu command, a tab, its menu
#                 text ("alt+o n" opens Options and picks &Names; an item without
#                 a mnemonic is reached with Down from the menu's first item)
#   accelerators: each accelerator's keys in xdotool's spelling
# Read at run time, so commands added to the table are driven without edits.
use strict;
use warnings;

my ($mode, $file) = @ARGV;
die "usage: commands.pl menus|accelerators COMMAND_TABLE_CPP\n" unless $mode && $file;
open(my $in, '<', $file) or die "commands.pl: $file: $!\n";
my $source = do { local $/; <$in> };
close($in);

# The body of one constexpr table: "kName[] = { ... };".
sub table {
  my ($name) = @_;
  $source =~ /\b$name\[\]\s*=\s*\{(.*?)\n\};/s or die "commands.pl: no table $name in $file\n";
  return $1;
}

my $string = qr/"((?:[^"\\]|\\.)*)"/;

if ($mode eq 'accelerators') {
  my %names = (Esc => 'Escape', Del => 'Delete', Ins => 'Insert', Backspace => 'BackSpace', Ctrl => 'ctrl',
               Shift => 'shift', Alt => 'alt', PgUp => 'Prior', PgDown => 'Next', Return => 'Return');
  my $body = table('kAccelerators');
  while ($body =~ /\{\s*$string\s*,\s*cmd::(\w+)\s*\}/g) {
    my ($keys, $id) = ($1, $2);
    print join('+', map { $names{$_} // (length($_) == 1 ? lc($_) : $_) } split(/\+/, $keys)), "\t$id\n";
  }
  exit 0;
}
die "commands.pl: unknown mode $mode\n" unless $mode eq 'menus';

my %text;
my $commands = table('kCommands');
while ($commands =~ /\{\s*cmd::(\w+)\s*,\s*$string/g) { $text{$1} = $2; }

# The mnemonic of a menu text: the letter after a single '&'.
sub mnemonic {
  my ($label) = @_;
  $label =~ s/\t.*//;
  return $label =~ /(?<!&)&([^&])/ ? lc($1) : '';
}

# Keys that pick entry INDEX (separators not counted) of an open menu.
sub pick {
  my ($label, $index, $opens) = @_;
  my $letter = mnemonic($label);
  return $letter if $letter ne '';
  return join(' ', ('Down') x $index, $opens ? 'Right' : 'Return');
}

my @path;       # keys that open the current (sub)menu
my @index = (); # entries seen so far in each open menu
my $body = table('kMainMenu');
while ($body =~ /\{\s*K::(\w+)\s*,\s*([\w:]+)\s*,\s*(nullptr|$string)\s*\}/g) {
  my ($kind, $id, $label) = ($1, $2, defined $4 ? $4 : '');
  if ($kind eq 'Popup') {
    my $keys = @path ? pick($label, $index[-1]++, 1) : 'alt+' . mnemonic($label);
    push @path, $keys;
    push @index, 0;
  } elsif ($kind eq 'End') {
    pop @path;
    pop @index;
  } elsif ($kind eq 'Item') {
    $id =~ s/^cmd:://;
    my $label = $text{$id} // '';
    print join(' ', @path, pick($label, $index[-1]++, 0)), "\t$id\t$label\n";
  }
}
