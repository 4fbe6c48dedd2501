#pragma once
// One line of tests/data/expected_bits.txt computed the first way: fields
// read with strtold, the curve arithmetic of tests/x87_curves.h in native
// long double. Gives the file's bits only where long double is the x87 format.

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/expected_bits.h"
#include "tests/x87_curves.h"

namespace x87 {

inline std::string expectedResult(const std::array<std::string, 4>& fields) {
    Extended values[4];
    for (std::size_t i = 0; i < fields.size(); ++i) {
        errno = 0;
        values[i] = std::strtold(fields[i].c_str(), nullptr);
        if (errno == ERANGE && std::isinf(values[i]))
            return expected_bits::errorText("out of range");
    }
    try {
        const Parameters parameters{values[0], values[1], values[2], values[3]};
        const Coefficients coefficients = deriveCoefficients(parameters);
        expected_bits::PassHash hash;
        std::uint64_t passes = 0;
        sampleCurves(parameters, coefficients, [&](const Pass& pass) {
            hash.add(pass.x, pass.count1, pass.count2, pass.y1, pass.y2);
            ++passes;
        });
        return expected_bits::resultText(coefficients.a, coefficients.b, passes, hash.value());
    } catch (const PlotError& error) {
        return expected_bits::errorText(error.what());
    }
}

}  // namespace x87
