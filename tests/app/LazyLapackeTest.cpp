// The program's lazily loaded LAPACKE_zgesv: LAPACKE is not loaded before the first
// solve, and the solves agree with the known solutions (this test does not link LAPACKE).
#include <dlfcn.h>
#include <lapacke.h>

#include <gtest/gtest.h>

#include <complex>
#include <vector>

namespace {

using Complex = std::complex<double>;

bool lapackeLoaded()
{
    void* library = dlopen("liblapacke.so.3", RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr)
        dlclose(library);
    return library != nullptr;
}

struct Case {
    const char* name;
    int n;
    std::vector<Complex> a;        // row major, n x n
    std::vector<Complex> b;        // row major, n x 1
    lapack_int info;               // 0 solved, > 0 singular
    std::vector<Complex> expected; // when solved
};

} // namespace

TEST(LazyLapacke, LoadsOnFirstSolveAndSolves)
{
    EXPECT_FALSE(lapackeLoaded());
    const Complex j(0, 1);
    const std::vector<Case> cases{
        {"diagonal", 2, {2.0, 0.0, 0.0, 4.0 * j}, {2.0, 8.0}, 0, {1.0, -2.0 * j}},
        {"complex 2x2", 2, {1.0 + j, 2.0, 0.0, 1.0 - j}, {5.0 + j, 2.0}, 0, {1.0 - 2.0 * j, 1.0 + j}},
        {"needs pivoting", 3, {0.0, 1.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 3.0}, {4.0, 5.0, 6.0}, 0, {5.0, 4.0, 2.0}},
        {"singular", 2, {1.0, 2.0, 2.0, 4.0}, {1.0, 1.0}, 2, {}},
    };
    for (Case c : cases) {
        std::vector<lapack_int> pivots(static_cast<std::size_t>(c.n));
        const lapack_int info =
            LAPACKE_zgesv(LAPACK_ROW_MAJOR, c.n, 1, reinterpret_cast<lapack_complex_double*>(c.a.data()), c.n,
                          pivots.data(), reinterpret_cast<lapack_complex_double*>(c.b.data()), 1);
        EXPECT_EQ(info, c.info) << c.name;
        if (c.info != 0)
            continue;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_LT(std::abs(c.b[i] - c.expected[i]), 1e-12) << c.name << " x" << i;
    }
    EXPECT_TRUE(lapackeLoaded());
}
