#pragma once

// Real roots of polynomials of degree 2, 3 and 4, as the blob's ray
// intersection needs them. The coefficients come highest power first:
// c[0]·xⁿ + c[1]·xⁿ⁻¹ + … + c[n] = 0. Each solver writes the roots it finds
// into roots (room for n) and answers how many it wrote; a double root of
// the quadratic is written once, repeated roots of the cubic's three-root
// case are written as often as they count.

// c[0]·x² + c[1]·x + c[2]. With c[0] = 0 the linear equation (no root when
// c[1] is 0 as well).
int SolveQuadratic(const double* c, double* roots);

// c[0]·x³ + … + c[3]. With c[0] = 0 the quadratic of c[1] … c[3]. One real
// root, or three (in the order of the trigonometric solution); a triple root
// gives three equal roots.
int SolveCubic(const double* c, double* roots);

// c[0]·x⁴ + … + c[4], by Ferrari's resolvent cubic. |c[0]| < 1e-20 gives the
// cubic of c[1] … c[4]; |c[4]| < 1e-20 the cubic of c[0] … c[3] (the root 0
// is then not returned). Up to four roots: those of the first quadratic
// factor (the larger first), then those of the second.
int SolveQuartic(const double* c, double* roots);
