// The spans the calendar benchmarks count: 64 trade dates spread over 2001–2060, each with its
// maturity 1, 10 or 50 years later (365.25 days a year), cycled through so that no single path
// is learnt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vx_bench {

constexpr std::size_t vaos_pedidos = 64;
const std::vector<std::pair<std::int32_t, std::int32_t>>& vaos(int anos);

}  // namespace vx_bench
