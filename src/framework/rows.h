// The vocabulary of a window's tables, so that a row reads like the table it comes from:
//   S(txtI2, txtI1, Div, 12)              txtI2 <- txtI1 ÷ 12, through the digit limiter
//   S(txtP2, txtC1, Mul, 83, Div, 35)     the two operations in the order written
//   TextOf(txtT1, txtI1)                  txtT1 <- the text of txtI1, full-width forms as ASCII
//   {txtC1, {lineC, lineI, tindicator}}   what Enter in txtC1 runs
//   {kLineC, {S(..), S(..)}}              the group procedure lineC
#pragma once

#include "framework/chain.h"

#include <vector>

namespace mezura::rows {

inline constexpr Op Add = Op::Add;
inline constexpr Op Sub = Op::Sub;
inline constexpr Op Mul = Op::Mul;
inline constexpr Op Div = Op::Div;

inline Step S(int target, int source, Op op, double k)
{
    return Step{target, source, {{op, k}}};
}

inline Step S(int target, int source, Op op1, double k1, Op op2, double k2)
{
    return Step{target, source, {{op1, k1}, {op2, k2}}};
}

inline CopyText TextOf(int target, int source)
{
    return CopyText{target, source};
}

// The chain that Enter in `field` runs.
struct EnterRow {
    int field;
    Chain chain;
};

// A group procedure of the window: {kLineC, {steps}}, listed in the order of its number.
struct ProcedureRow {
    int number;
    Chain chain;
};

} // namespace mezura::rows
