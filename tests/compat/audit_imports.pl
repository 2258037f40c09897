#!/usr/bin/env perl
# Checks tavi.exe for Windows 95, NT 4.0 and later: every import is in the list of what Windows 95
# exports (so nothing from msvcrt.dll, which 95 lacks); the header asks for Windows 4.0, allows
# large addresses, has the program loaded at its base and carries no link time.
# Usage: audit_imports.pl TAVI_EXE EXPORTS_LIST
use strict;
use warnings;

my ($exe, $list) = @ARGV;
die "usage: audit_imports.pl TAVI_EXE EXPORTS_LIST\n" unless defined $list;
my @faults;

my %exported;
open my $l, '<', $list or die "$list: $!\n";
while (<$l>) {
  s/#.*//;
  my ($dll, $name) = split ' ';
  $exported{uc($dll) . " $name"} = 1 if defined $name;
}

# The import table, as objdump lists it.
open my $dump, '-|', 'i686-w64-mingw32-objdump', '-p', $exe or die "objdump: $!\n";
my ($inImports, $dll, $count) = (0, undef, 0);
while (<$dump>) {
  if (/^The Import Tables/) { $inImports = 1; next }
  if (/^The / && $inImports) { last }
  next unless $inImports;
  if (/DLL Name: (\S+)/) { $dll = uc $1; next }
  if (defined $dll && /^\t[0-9a-f]+\s+\d+\s+(\S+)$/) {
    ++$count;
    my $why = $dll eq 'MSVCRT.DLL' ? 'msvcrt.dll is not part of Windows 95' : 'Windows 95 does not export it (or the list lacks it)';
    push @faults, "imports $dll $1: $why" unless $exported{"$dll $1"};
  }
}
close $dump or die "objdump failed on $exe\n";
push @faults, "found no imports at all" unless $count;

# The header fields.
open my $f, '<:raw', $exe or die "$exe: $!\n";
read $f, my $head, 4096;
my $pe = unpack 'V', substr($head, 0x3c, 4);
my $opt = $pe + 24;
my ($stamp, $characteristics) = (unpack('V', substr($head, $pe + 8, 4)), unpack('v', substr($head, $pe + 22, 2)));
my ($osMajor, $osMinor, undef, undef, $subMajor, $subMinor) = unpack 'v6', substr($head, $opt + 40, 12);
push @faults, "OS version $osMajor.$osMinor, not 4.0" unless $osMajor == 4 && $osMinor == 0;
push @faults, "subsystem version $subMajor.$subMinor, not 4.0" unless $subMajor == 4 && $subMinor == 0;
push @faults, "not large-address-aware" unless $characteristics & 0x20;
# Loaded at its base: no relocations, and so no claim to be movable (DYNAMIC_BASE).
my $dllCharacteristics = unpack 'v', substr($head, $opt + 70, 2);
push @faults, "relocations not stripped (the flag is clear)" unless $characteristics & 0x1;
push @faults, "DYNAMIC_BASE set without relocations" if $dllCharacteristics & 0x40;
push @faults, "link time $stamp in the header (the build is not reproducible)" if $stamp;

if (@faults) {
  print "audit: $exe:\n", map { "  $_\n" } @faults;
  exit 1;
}
print "audit: $count imports, all exported by Windows 95; OS and subsystem version 4.0; ",
  "large-address-aware; loaded at its base (no relocations); no link time\n";
