// The program's own entry to LAPACKE_zgesv, the one LAPACKE routine it calls (the port
// matrices of a sweep). It loads LAPACKE, and OpenBLAS beneath it, when a matrix is first
// solved: loading them at every start costs more than the rest of the program's own
// start-up (OpenBLAS alone brings some 14,000 symbol relocations and its threads). The
// program is linked with --as-needed, so it does not name LAPACKE among its libraries;
// tests and tools link LAPACKE as usual.
#include <dlfcn.h>
#include <lapacke.h>

extern "C" lapack_int LAPACKE_zgesv(int matrix_layout, lapack_int n, lapack_int nrhs, lapack_complex_double* a,
                                    lapack_int lda, lapack_int* ipiv, lapack_complex_double* b, lapack_int ldb)
{
    using Solve = lapack_int (*)(int, lapack_int, lapack_int, lapack_complex_double*, lapack_int, lapack_int*,
                                 lapack_complex_double*, lapack_int);
    static const Solve solve = []() -> Solve {
        void* library = dlopen("liblapacke.so.3", RTLD_NOW | RTLD_LOCAL);
        return library != nullptr ? reinterpret_cast<Solve>(dlsym(library, "LAPACKE_zgesv")) : nullptr;
    }();
    // Without LAPACKE the matrix counts as not solved (a negative info, as for a wrong
    // argument).
    if (solve == nullptr)
        return -1;
    return solve(matrix_layout, n, nrhs, a, lda, ipiv, b, ldb);
}
