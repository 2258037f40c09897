#!/usr/bin/env perl
# Checks that tavi.exe runs on a 486: every instruction in its code is one the 486 and its x87 (the
# 387's set) execute. Nothing newer passes: no cmov, fcmov, fcomi or fucomi (Pentium Pro), no cpuid,
# rdtsc or cmpxchg8b (Pentium), no long nop or hint (0F 18-1F), no MMX, SSE or later register; and no
# cmpxchg either, which the first i486 steppings encode differently (0F A6/A7, not 0F B0/B1).
# A fault names the instruction, its address and the function it is in (from the link map).
# Usage: audit_instructions.pl TAVI_EXE TAVI_MAP
use strict;
use warnings;

my ($exe, $map) = @ARGV;
die "usage: audit_instructions.pl TAVI_EXE TAVI_MAP\n" unless defined $map;

# The 8086 to 486 instruction set and the 387's, as objdump names them in Intel syntax.
my @integer = qw(
  aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cdq clc cld cli clts
  cmc cmp cmps cmpsb cmpsw cmpsd cwd cwde daa das dec div enter hlt idiv imul in inc ins insb
  insw insd int int3 into invd invlpg iret iretd jmp jcxz jecxz lahf lar lds lea leave les lfs lgdt
  lgs lidt lldt lmsw lods lodsb lodsw lodsd loop loope loopne lsl lss ltr mov movs movsb movsw movsd
  movsx movzx mul neg nop not or out outs outsb outsw outsd pop popa popad popf popfd push pusha
  pushad pushf pushfd rcl rcr ret retf rol ror sahf sal sar sbb scas scasb scasw scasd sgdt shl shld
  shr shrd sidt sldt smsw stc std sti stos stosb stosw stosd str sub test verr verw wait wbinvd xadd
  xchg xlat xor
);
my @conditions = qw(a ae b be c e g ge l le na nae nb nbe nc ne ng nge nl nle no np ns nz o p pe po s z);
my @x87 = qw(
  f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr
  fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist fistp fisub fisubr
  fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop fpatan fprem fprem1
  fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw fnstcw fstenv fnstenv fstp
  fstsw fnstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp fwait fxam fxch fxtract fyl2x
  fyl2xp1
);
my %allowed = map { $_ => 1 } @integer, @x87, (map { ("j$_", "set$_") } @conditions);
my %prefix = map { $_ => 1 } qw(rep repz repe repnz repne lock cs ds es fs gs ss data16 addr16);

# The functions, by address, from the link map: input sections of .text and the symbols in them.
# GNU ld's map gives addresses, lld's gives them relative to the image base, and names demangled.
my @places;
open my $m, '<', $map or die "$map: $!\n";
my ($inText, $pending, $lld) = (0, undef, 0);
my ($base) = map { /^ImageBase\s+([0-9a-f]+)/i ? hex $1 : () } `i686-w64-mingw32-objdump -p '$exe'`;
while (<$m>) {
  if ($. == 1 && /^Address\s+Size\s+Align\s+Out\s+In\s+Symbol/) { $lld = 1; next }
  if ($lld) {
    $inText = /^[0-9a-f]+ [0-9a-f]+\s+\d+ (\S+)$/ ? $1 eq '.text' : $inText;
    next unless $inText;
    if (/^([0-9a-f]+) [0-9a-f]+\s+\d+\s+(\S+):\(\.text(?:\$(\S+))?\)$/) {
      push @places, [$base + hex $1, $3 // "(code of $2)", 1];
    } elsif (/^([0-9a-f]+) 0+\s+0\s{10,}(\S.*?)\s*$/) {
      push @places, [$base + hex $1, $2, 0];
    }
    next;
  }
  if (/^\.text\s/) { $inText = 1; next }
  if (/^\.\w/ && !/^\.text/) { $inText = 0 }
  next unless $inText;
  if (/^ \.text\$(\S+)\s*$/) { $pending = $1; next }  # a long section name: the address follows
  if (/^ \.text(?:\$(\S+))?\s+0x([0-9a-f]+)\s+0x[0-9a-f]+\s+(\S+)/) {
    push @places, [hex $2, $1 // "(code of $3)", 1];
  } elsif (defined $pending && /^\s+0x([0-9a-f]+)\s+0x[0-9a-f]+\s+\S+/) {
    push @places, [hex $1, $pending, 1];
  } elsif (/^\s+0x([0-9a-f]+)\s{10,}(\S.*?)\s*$/ && $2 !~ /=/) {
    push @places, [hex $1, $2, 0];
  }
  $pending = undef;
}
close $m;
@places = sort { $a->[0] <=> $b->[0] } @places;
sub demangle {
  my ($name) = @_;
  my $plain = `i686-w64-mingw32-c++filt -- '$name'`;
  chomp $plain;
  return $plain || $name;
}
sub placeOf {
  my ($address) = @_;
  my $found = '(before the first function)';
  for my $p (@places) {
    last if $p->[0] > $address;
    $found = $p->[2] ? demangle($p->[1]) : $p->[1];
  }
  return $found;
}

my (%faults, $count, $newer);
open my $dump, '-|', 'i686-w64-mingw32-objdump', '-d', '--no-show-raw-insn', '-M', 'intel', $exe
  or die "objdump: $!\n";
while (<$dump>) {
  next unless /^\s+([0-9a-f]+):\s+(\S.*?)\s*$/;
  my ($address, $text) = (hex $1, $2);
  next if $text eq '(bad)';  # data among the code (the constructor lists), never executed
  my @words = split ' ', $text;
  shift @words while @words > 1 && $prefix{$words[0]};
  my ($mnemonic, $operands) = ($words[0], join ' ', @words[1 .. $#words]);
  ++$count;
  my $why;
  if (!$allowed{$mnemonic}) {
    $why = 'not a 486 or 387 instruction';
  } elsif ($operands =~ /\b[xyz]?mm\d+\b/) {
    $why = 'an MMX or SSE register';
  } elsif ($mnemonic eq 'nop' && $operands ne '') {
    $why = 'a long nop, Pentium Pro and later';
  }
  next unless $why;
  ++$newer;
  # One line per instruction and function: how often, and where first.
  my $fault = $faults{"$mnemonic ($why) in " . placeOf($address)} //= [$address, 0];
  ++$fault->[1];
}
close $dump or die "objdump failed on $exe\n";
die "audit: found no code in $exe\n" unless $count;

if ($newer) {
  print "audit: $exe holds $newer instructions newer than the 486:\n";
  for my $what (sort { $faults{$a}[0] <=> $faults{$b}[0] } keys %faults) {
    printf "  %dx %s, first at %x\n", $faults{$what}[1], $what, $faults{$what}[0];
  }
  exit 1;
}
print "audit: $count instructions, every one a 486 or 387 instruction\n";
