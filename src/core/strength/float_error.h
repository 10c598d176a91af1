// Floating-point errors of the computation units.
//
// The formulas work in long double and store doubles. Instead of letting an
// infinity or a NaN travel on into labels and charts, every operation that can
// leave the real numbers is checked and raises one of these exceptions.
#pragma once

#include <cmath>
#include <limits>
#include <stdexcept>

namespace float_error {

// Base of all floating-point failures; what() is the message shown to the user.
class EFloatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EZeroDivide : public EFloatError {
public:
    EZeroDivide() : EFloatError("Floating point division by zero") {}
};

class EInvalidOp : public EFloatError {
public:
    EInvalidOp() : EFloatError("Invalid floating point operation") {}
};

class EOverflow : public EFloatError {
public:
    EOverflow() : EFloatError("Floating point overflow") {}
};

// Passes a finite value through; NaN is an invalid operation, ±inf an overflow.
inline long double checked(long double v) {
    if (std::isnan(v))
        throw EInvalidOp();
    if (std::isinf(v))
        throw EOverflow();
    return v;
}

// Rounds to double; a value beyond the double range is an overflow rather than inf.
inline double to_double(long double v) {
    checked(v);
    const double d = static_cast<double>(v);
    if (std::isinf(d))
        throw EOverflow();
    return d;
}

// num / den; 0/0 is invalid, any other x/0 a division by zero.
inline long double divide(long double num, long double den) {
    if (den == 0.0L) {
        if (num == 0.0L || std::isnan(num))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return checked(num / den);
}

// Natural logarithm: log(0) is a division by zero (pole), a negative or NaN
// argument an invalid operation.
inline long double ln(long double x) {
    if (std::isnan(x) || x < 0.0L)
        throw EInvalidOp();
    if (x == 0.0L)
        throw EZeroDivide();
    return checked(std::log(x));
}

inline long double log10(long double x) {
    if (std::isnan(x) || x < 0.0L)
        throw EInvalidOp();
    if (x == 0.0L)
        throw EZeroDivide();
    return checked(std::log10(x));
}

inline long double exp(long double x) {
    return checked(std::exp(checked(x)));
}

} // namespace float_error
