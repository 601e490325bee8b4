#pragma once

// Spreads the covariance of the fitted parameters, covar[1..nfit][1..nfit]
// in the order of lista, over all of covar[1..npar][1..npar] in parameter
// order; rows and columns of held parameters become 0. Exactly symmetric.
void expandcov(double** covar, int npar, const int lista[], int nfit);
