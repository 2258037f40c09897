#!/usr/bin/env bash
# Runs the Windows-version test and reads Wine's relay trace of its 95, 98, NT 4.0, 2000 and XP runs
# of tavi.exe (the test starts those with WINEDEBUG=+relay; their trace comes out on this run's
# standard error). As Windows 95 and 98, no call from tavi.exe's image may go to a wide function
# that 9x only stubs, and the ANSI path must have run; before 2000, the queue check and the message
# wait must ask only for the eight input kinds those versions know, the wait through the plain
# form (95 has no Ex form) and with a handle array, which old Windows documents no NULL for; on
# NT 4.0, 2000 and XP the metrics must be asked for at their pre-Vista size; the preview's rows take
# their text through the ANSI call on 9x and the Unicode one on NT; from 2000 the queue
# check and the Ex wait with MWMO_INPUTAVAILABLE must add posts already seen, from XP raw input. In
# every traced run high contrast must be asked for at start and again after the test announces a
# change of it (Wine always answers "off", so the asking is what shows).
# Usage: relay_check.sh TEST_EXE TAVI_EXE EXPORTS_LIST [test arguments...]
set -euo pipefail
. "$(dirname "$0")/../../tools/wine/env.sh"
test_exe=$1 tavi=$2 list=$3
shift 3
trace=$(mktemp) out=$(mktemp)
trap 'rm -f "$trace" "$out"' EXIT

rc=0
wine "$test_exe" "$@" >"$out" 2>"$trace" </dev/null || rc=$?
cat "$out"
[ "$rc" -eq 0 ] || exit "$rc"

perl - "$tavi" "$list" "$trace" <<'PERL'
use strict;
use warnings;
my ($tavi, $list, $trace) = @ARGV;

# The wide functions that Windows 9x has as stubs, and those it implements.
my (%stub, %listed);
open my $l, '<', $list or die "$list: $!\n";
while (<$l>) {
  s/#.*//;
  my ($dll, $name, $mark) = split ' ';
  next unless defined $name;
  (my $module = lc $dll) =~ s/\.dll$//;
  $listed{"$module.$name"} = 1;
  $stub{"$module.$name"} = 1 if ($mark // '') eq 'stub';
}

# tavi.exe's image size; its base comes from the trace's load line.
open my $f, '<:raw', $tavi or die "$tavi: $!\n";
read $f, my $head, 4096;
my $size = unpack 'V', substr($head, unpack('V', substr($head, 0x3c, 4)) + 24 + 56, 4);

my ($mode, %base, %calls, %faults, %seen, %highContrast);
open my $t, '<', $trace or die "$trace: $!\n";
while (<$t>) {
  if (/^relay-check: tavi\.exe as (\w+)/) { $mode = $1; next }
  if (/^(\w+):trace:loaddll:\w+ Loaded L".*\\tavi\.exe" at ([0-9A-Fa-f]+)/) { $base{$1} = hex $2; next }
  next unless defined $mode && /^(\w+):Call ([\w.]+)\((.*)\) ret=([0-9a-f]+)$/ && defined $base{$1};
  my ($function, $args, $ret) = ($2, $3, hex $4);
  next unless $ret >= $base{$1} && $ret < $base{$1} + $size;  # called from tavi.exe's own code
  my ($module, $name) = split /\./, $function, 2;
  $module = lc $module;
  $module = 'kernel32' if $module eq 'kernelbase';
  my $key = "$module.$name";
  ++$calls{$mode};
  $seen{$mode}{"$function($args)"} = 1;
  ++$highContrast{$mode} if $key eq 'user32.SystemParametersInfoA' && $args =~ /^00000042,0000000c,/;
  if ($mode =~ /^win9[58]$/ && $module =~ /^(user32|gdi32|comctl32|kernel32)$/ && $name =~ /W$/
      && ($stub{$key} || !$listed{$key})) {
    $faults{"as $mode, tavi.exe called $function, which Windows 9x has only as a stub"} = 1;
  }
}

sub called { my ($mode, $pattern) = @_; return grep { /$pattern/ } keys %{$seen{$mode} // {}} }
sub expect {
  my ($mode, $pattern, $what) = @_;
  $faults{"as $mode, $what"} = 1 unless called($mode, $pattern);
}
# No handles, but a real array (not NULL) for them.
my $plainWait = '^user32\.MsgWaitForMultipleObjects\(00000000,(?!00000000)[0-9a-f]{8},00000000,[0-9a-f]+,000000ff\)';
for my $mode (qw(win95 win98 nt40 win2k winxp)) {
  $faults{"no trace of the $mode run"} = 1 unless $calls{$mode};
}
for my $mode (qw(win95 win98)) {
  expect($mode, '^user32\.GetMessageA\(', 'the ANSI message loop did not run');
  expect($mode, '^user32\.SetWindowTextA\(', "the preview's rows were not given their text through the ANSI call");
  expect($mode, '^user32\.SystemParametersInfoA\(00000029,00000154,',
         'the metrics were not asked for at their 9x size (340 bytes)');
}
for my $mode (qw(win95 win98 nt40)) {
  expect($mode, $plainWait, 'the plain message wait for the eight input kinds (mask ff), with an array, did not run');
  expect($mode, '^user32\.GetQueueStatus\(000000ff\)', 'the queue was not looked at for the eight input kinds');
  $faults{"as $mode, tavi.exe called MsgWaitForMultipleObjectsEx"} = 1
    if called($mode, '^user32\.MsgWaitForMultipleObjectsEx\(');
}
for my $mode (qw(win95 win98 nt40 win2k winxp)) {
  $faults{"as $mode, a message wait was given NULL for its handles"} = 1
    if called($mode, '^user32\.MsgWaitForMultipleObjects(?:Ex)?\(00000000,00000000,');
}
# High contrast is asked for at start and again after the test's settings change.
for my $mode (qw(win95 win98 nt40 win2k winxp)) {
  my $asked = $highContrast{$mode} // 0;
  $faults{"as $mode, high contrast was asked for $asked times, not at start and after a settings change"} = 1
    if $asked < 2;
}
# Before Vista no Vista-only right is asked of OpenProcess (PROCESS_QUERY_LIMITED_INFORMATION).
for my $mode (qw(win95 win98 nt40 win2k winxp)) {
  $faults{"as $mode, tavi.exe asked OpenProcess for the limited query, which only Vista and later know"} = 1
    if called($mode, '^kernel32\.OpenProcess\(00001000,');
}
# The preview's rows are subclassed through the call of their kind: Unicode windows on NT.
for my $case (['win95', 'A'], ['win98', 'A'], ['nt40', 'W'], ['winxp', 'W']) {
  my ($mode, $form) = @$case;
  expect($mode, "^user32\\.SetWindowLong$form\\([0-9a-f]+,fffffffc,",
         "the preview's rows were not subclassed through SetWindowLong$form");
}
expect('nt40', '^user32\.GetMessageW\(', 'the Unicode message loop did not run');
expect('nt40', '^user32\.SetWindowTextW\(', "the preview's rows were not given their text through the Unicode call");
for my $mode (qw(nt40 win2k winxp)) {
  expect($mode, '^user32\.SystemParametersInfoW\(00000029,000001f4,',
         'the metrics were not asked for at their pre-Vista size (500 bytes)');
}
# From 2000 on, posts already seen count (QS_ALLPOSTMESSAGE, 100); from XP on raw input too (400).
for my $case (['win2k', '000001ff', 'posts already seen (mask 1ff)'],
              ['winxp', '000005ff', 'posts already seen and raw input (mask 5ff)']) {
  my ($mode, $mask, $what) = @$case;
  expect($mode, "^user32\\.MsgWaitForMultipleObjectsEx\\(00000000,(?!00000000)[0-9a-f]{8},[0-9a-f]+,$mask,00000004\\)",
         "the message wait did not ask for $what with MWMO_INPUTAVAILABLE");
  expect($mode, "^user32\\.GetQueueStatus\\($mask\\)", "the queue was not looked at for $what");
}

if (%faults) {
  print "relay-check:\n", map { "  $_\n" } sort keys %faults;
  exit 1;
}
printf "relay-check: calls from tavi.exe as win95 %d, win98 %d, nt40 %d, win2k %d, winxp %d; as 9x none to a " .
  "wide function 9x only stubs; before 2000 the queue looked at and the plain wait with mask ff, as 2000 both " .
  "with mask 1ff and as XP with 5ff (the Ex wait); each wait with a handle array, not NULL; " .
  "the metrics at their 9x and pre-Vista sizes; the preview's rows through SetWindowTextA and SetWindowLongA on " .
  "9x and W on NT; no Vista-only right asked of OpenProcess before Vista; " .
  "high contrast asked for at start and after a settings change\n",
  @calls{qw(win95 win98 nt40 win2k winxp)};
PERL
