#include "framework/arith.h"

#include <cmath>

namespace mezura {

namespace {
const char* faultName(ArithmeticFault fault)
{
    switch (fault) {
    case ArithmeticFault::Overflow:
        return "overflow";
    case ArithmeticFault::DivisionByZero:
        return "division by zero";
    case ArithmeticFault::Invalid:
        return "invalid operation";
    }
    return "arithmetic fault";
}
} // namespace

ArithmeticError::ArithmeticError(ArithmeticFault fault)
    : std::runtime_error(faultName(fault))
    , m_fault(fault)
{
}

std::string faultMessage(ArithmeticFault fault)
{
    switch (fault) {
    case ArithmeticFault::Overflow:
        return "オーバーフローしました。値が大きすぎるため計算を中止しました。";
    case ArithmeticFault::DivisionByZero:
        return "0 で除算しました。計算を中止しました。";
    case ArithmeticFault::Invalid:
        return "無効な演算です。計算を中止しました。";
    }
    return "計算を中止しました。";
}

double checked(double x)
{
    if (std::isnan(x)) {
        throw ArithmeticError(ArithmeticFault::Invalid);
    }
    if (std::isinf(x)) {
        throw ArithmeticError(ArithmeticFault::Overflow);
    }
    return x;
}

double apply(double a, Op op, double b)
{
    switch (op) {
    case Op::Add:
        return checked(a + b);
    case Op::Sub:
        return checked(a - b);
    case Op::Mul:
        return checked(a * b);
    case Op::Div:
        if (b == 0.0) {
            throw ArithmeticError(a == 0.0 ? ArithmeticFault::Invalid : ArithmeticFault::DivisionByZero);
        }
        return checked(a / b);
    }
    throw ArithmeticError(ArithmeticFault::Invalid);
}

} // namespace mezura
