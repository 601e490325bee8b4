#pragma once

// The model selector for the whole program: 0 Gaussian, 1 Lorentzian; any
// other value gives a model of 0.
extern int g_function;
