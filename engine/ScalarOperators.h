#pragma once
// The 43 built-in operators on integers, reals, strings, characters,
// Booleans, enumeration members and sets. Each class fixes its token, its
// operand and result kinds and its computation; the suffix names the operand
// kinds (I Integer, F Real, S String, B Boolean, E enumeration, M set).
//
// Operands arrive through the lookup's conversion pass too: an Integer at a
// Real operator, a Char at a String one, an enumeration member at an Integer
// one (which then works on the member's ordinal, 0 for the first). Integer
// operands of the comparisons still compare exactly as 64-bit integers.
// The built-in kinds must exist (the kind table's RegisterBuiltIns) before
// any of these is made.

#include "engine/Operator.h"

class TValue;

// Comparisons of numbers (Real operands; Integers reach them by conversion).
class TEqu_FF final : public TBuiltInBinOp { public: TEqu_FF(); };
class TNEqu_FF final : public TBuiltInBinOp { public: TNEqu_FF(); };
class TLess_FF final : public TBuiltInBinOp { public: TLess_FF(); };
class TGreat_FF final : public TBuiltInBinOp { public: TGreat_FF(); };
class TLEqu_FF final : public TBuiltInBinOp { public: TLEqu_FF(); };
class TGEqu_FF final : public TBuiltInBinOp { public: TGEqu_FF(); };

// Equality of texts, truth values, enumeration members and sets; the last
// two accept only operand kinds assignable to each other.
class TEqu_SS final : public TBuiltInBinOp { public: TEqu_SS(); };
class TNEqu_SS final : public TBuiltInBinOp { public: TNEqu_SS(); };
class TEqu_BB final : public TBuiltInBinOp { public: TEqu_BB(); };
class TNEqu_BB final : public TBuiltInBinOp { public: TNEqu_BB(); };
class TEqu_EE final : public TBuiltInBinOp { public: TEqu_EE(); };
class TNEqu_EE final : public TBuiltInBinOp { public: TNEqu_EE(); };
class TEqu_MM final : public TBuiltInBinOp { public: TEqu_MM(); };
class TNEqu_MM final : public TBuiltInBinOp { public: TNEqu_MM(); };

// Membership of an enumeration member in a set of its enumeration.
class TIn_EM final : public TBuiltInBinOp { public: TIn_EM(); };

// Integer arithmetic: exact or "Integer overflow"; bitwise and, or, xor; shifts.
class TAdd_II final : public TBuiltInBinOp { public: TAdd_II(); };
class TSub_II final : public TBuiltInBinOp { public: TSub_II(); };
class TMul_II final : public TBuiltInBinOp { public: TMul_II(); };
class TDiv_II final : public TBuiltInBinOp { public: TDiv_II(); };
class TMod_II final : public TBuiltInBinOp { public: TMod_II(); };
class TAnd_II final : public TBuiltInBinOp { public: TAnd_II(); };
class TOr_II final : public TBuiltInBinOp { public: TOr_II(); };
class TXor_II final : public TBuiltInBinOp { public: TXor_II(); };
class TShl_II final : public TBuiltInBinOp { public: TShl_II(); };
class TShr_II final : public TBuiltInBinOp { public: TShr_II(); };

// Real arithmetic; "^" always gives a Real.
class TAdd_FF final : public TBuiltInBinOp { public: TAdd_FF(); };
class TSub_FF final : public TBuiltInBinOp { public: TSub_FF(); };
class TMul_FF final : public TBuiltInBinOp { public: TMul_FF(); };
class TDiv_FF final : public TBuiltInBinOp { public: TDiv_FF(); };
class TPow_FF final : public TBuiltInBinOp { public: TPow_FF(); };

// Concatenation of Strings and Chars.
class TAdd_SS final : public TBuiltInBinOp { public: TAdd_SS(); };

// Boolean operators; both operands are always evaluated.
class TAnd_BB final : public TBuiltInBinOp { public: TAnd_BB(); };
class TOr_BB final : public TBuiltInBinOp { public: TOr_BB(); };
class TXor_BB final : public TBuiltInBinOp { public: TXor_BB(); };

// Union and difference of sets of assignable kinds; two sets of one kind
// give a set of that kind.
class TAdd_MM final : public TBuiltInBinOp { public: TAdd_MM(); };
class TSub_MM final : public TBuiltInBinOp { public: TSub_MM(); };

// Prefix operators: negation, identity, complement, and the backquote that
// turns degrees into radians.
class TMinus_I final : public TBuiltInUnOp { public: TMinus_I(); };
class TMinus_F final : public TBuiltInUnOp { public: TMinus_F(); };
class TPlus_I final : public TBuiltInUnOp { public: TPlus_I(); };
class TPlus_F final : public TBuiltInUnOp { public: TPlus_F(); };
class TNot_I final : public TBuiltInUnOp { public: TNot_I(); };
class TNot_B final : public TBuiltInUnOp { public: TNot_B(); };
class TLQuote_F final : public TBuiltInUnOp { public: TLQuote_F(); };

// text := text + right for a String value of a variable's own: the text of
// right, as the concatenation takes it, is appended in place.
void AppendToText(TValue& text, TVar* right);
