#!/usr/bin/env perl
# Checks the soak's reading of the command table (scripts/soak/commands.pl):
# the keys it derives for menu items and accelerators on a small table of
# known shape, and that it reaches every item of the program's own table.
use strict;
use warnings;

my ($source) = @ARGV;
die "usage: SoakCommandsTest.pl SOURCE_DIR\n" unless $source;
my $tool = "$source/scripts/soak/commands.pl";
my $failures = 0;

sub run_tool {
  my ($mode, $table) = @_;
  open(my $out, '-|', 'perl', $tool, $mode, $table) or die "cannot run $tool: $!\n";
  my %keys;
  while (<$out>) {
    chomp;
    my ($keys, $id) = split /\t/;
    $keys{$id} = $keys;
  }
  close($out) or die "$tool $mode $table failed\n";
  return \%keys;
}

sub expect {
  my ($name, $got, $want) = @_;
  return if defined $got && $got eq $want;
  print "FAIL $name: got '", $got // 'nothing', "', want '$want'\n";
  $failures++;
}

# Only perl-base is sure to be installed, so no File::Temp.
my $table = ($ENV{TMPDIR} // '/tmp') . "/SoakCommandsTest.$$.cpp";
open(my $handle, '>', $table) or die "$table: $!\n";
print $handle <<'TABLE';
constexpr CommandText kCommands[] = {
    {cmd::kAlpha, "&Alpha\tCtrl+A", "prompt"},
    {cmd::kBeta, "Beta", "prompt"},
    {cmd::kCarry, "&Carry", "prompt"},
    {cmd::kCut, "&Cut",
     "a prompt on the next line"},
    {cmd::kExit, "E&xit\tEsc", "prompt"},
};
constexpr MenuEntry kMainMenu[] = {
    {K::Popup, 0, "&File"},
    {K::Item, cmd::kAlpha, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kBeta, nullptr},
    {K::Popup, 0, "&More"},
    {K::Item, cmd::kCarry, nullptr},
    {K::Item, cmd::kCut, nullptr},
    {K::End, 0, nullptr},
    {K::Item, cmd::kExit, nullptr},
    {K::End, 0, nullptr},
};
constexpr Accelerator kAccelerators[] = {
    {"Ctrl+Ins", cmd::kAlpha},
    {"Alt+Backspace", cmd::kBeta},
    {"Shift+F6", cmd::kCarry},
    {"Esc", cmd::kExit},
};
TABLE
close($handle);

my $menus = run_tool('menus', $table);
my $accelerators = run_tool('accelerators', $table);
unlink($table);
my @rows = (
  ['mnemonic of a top-level item', $menus->{kAlpha}, 'alt+f a'],
  ['no mnemonic: Down past the separator', $menus->{kBeta}, 'alt+f Down Return'],
  ['shared mnemonic in a submenu: the first entry', $menus->{kCarry}, 'alt+f m Return'],
  ['shared mnemonic in a submenu: Down to it', $menus->{kCut}, 'alt+f m Down Return'],
  ['mnemonic inside the text, shortcut after the tab', $menus->{kExit}, 'alt+f x'],
  ['Ctrl and a named key', $accelerators->{kAlpha}, 'ctrl+Insert'],
  ['Alt and Backspace', $accelerators->{kBeta}, 'alt+BackSpace'],
  ['Shift and a function key', $accelerators->{kCarry}, 'shift+F6'],
  ['Esc', $accelerators->{kExit}, 'Escape'],
);
expect(@$_) for @rows;

# The program's table: every menu item reached, each with keys of its own.
my $real = "$source/src/shell/CommandTable.cpp";
open(my $in, '<', $real) or die "$real: $!\n";
my $items = () = do { local $/; <$in> } =~ /\{\s*K::Item\s*,/g;
$items -= 2;  # the selection's two entries, greyed at times, are left out
close($in);
my $reached = run_tool('menus', $real);
my %distinct = map { $_ => 1 } values %$reached;
expect('every item of the program\'s menu reached', scalar(keys %$reached), $items);
expect('each with keys of its own', scalar(keys %distinct), $items);

print $failures ? "$failures failed\n" : "all passed\n";
exit($failures ? 1 : 0);
