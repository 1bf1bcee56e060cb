#pragma once
// The arithmetic behind every operator and function of a fee formula, with faults turned into NaN.

// Each function returns NaN when an operand is NaN or the result is not a finite number, so one
// fault anywhere in a formula reaches its final value even through functions such as MAX or ^ that
// would otherwise hide a NaN.
namespace FormulaArithmetic {

double add(double a, double b);
double subtract(double a, double b);
double multiply(double a, double b);
double divide(double a, double b);
// Both operands rounded to whole numbers first (halves to even), the quotient truncated toward zero.
double integerDivide(double a, double b);
double power(double base, double exponent);
double negate(double a);

double squareRoot(double a);
double naturalLogarithm(double a);
double sine(double radians);
double cosine(double radians);
double tangent(double radians);
double maximum(const double *values, int count);
double minimum(const double *values, int count);
double roundDown(double a);
double roundTowardZero(double a);
double roundHalfAwayFromZero(double a);
double absolute(double a);

double roundHalfToEven(double a);

} // namespace FormulaArithmetic
