#!/usr/bin/env perl
# commands.pl menus|accelerators COMMAND_TABLE_CPP
# Reads the program's command table and prints, one per line:
#   menus:        the xdotool keys that reach each menu command, a tab, its id,
#                 a tab, its menu text ("alt+o n" opens Options and picks &Names;
#                 an item without a mnemonic of its own: Down from the first item)
#   accelerators: each accelerator's keys in xdotool's spelling, a tab, its id
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

# The menu as a tree: a popup is a list of entries, each [label, id, popup],
# with separators left out as keyboard navigation skips them.
sub menu_tree {
  my @open = ([]);
  my $body = table('kMainMenu');
  while ($body =~ /\{\s*K::(\w+)\s*,\s*([\w:]+)\s*,\s*(nullptr|$string)\s*\}/g) {
    my ($kind, $id, $label) = ($1, $2, defined $4 ? $4 : '');
    $id =~ s/^cmd:://;
    if ($kind eq 'Popup') {
      my $popup = [];
      push @{$open[-1]}, [$label, '', $popup];
      push @open, $popup;
    } elsif ($kind eq 'End') {
      pop @open;
    } elsif ($kind eq 'Item') {
      push @{$open[-1]}, [$text{$id} // '', $id, undef];
    }
  }
  return $open[0];
}

# Prints the keys of every item under POPUP, reached with PATH. An entry is
# picked by its mnemonic when no other entry of its menu shares it (Qt then
# only moves between them), else with Down from the menu's first entry.
sub print_items {
  my ($popup, @path) = @_;
  my %uses;
  $uses{mnemonic($_->[0])}++ for @$popup;
  for my $index (0 .. $#$popup) {
    my ($label, $id, $submenu) = @{$popup->[$index]};
    my $letter = mnemonic($label);
    my $keys;
    if (!@path) {
      $keys = "alt+$letter";  # the menu bar
    } elsif ($letter ne '' && $uses{$letter} == 1) {
      $keys = $letter;
    } else {
      # Down skips greyed entries, so an entry that is greyed at times (the
      # selection's, without a selection) has no fixed path of Downs: left out.
      next if $id =~ /Selection$/;
      $keys = join(' ', ('Down') x $index, $submenu ? 'Right' : 'Return');
    }
    if ($submenu) {
      print_items($submenu, @path, $keys);
    } else {
      print join(' ', @path, $keys), "\t$id\t$label\n";
    }
  }
}

print_items(menu_tree());
