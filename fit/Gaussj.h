#pragma once

// Gauss-Jordan elimination with full pivoting, in place. a[1..n][1..n] is
// replaced by its inverse and b[1..n][1..m] by the solution X of a·X = b.
// Among equal largest pivot candidates the last one met (row, then column
// order) wins. A zero pivot is fatal "gaussj: Singular Matrix-2"; a column
// chosen twice "gaussj: Singular Matrix-1"; a pass that finds no candidate
// because every one is NaN "gaussj: no finite pivot".
void gaussj(double** a, int n, double** b, int m);
