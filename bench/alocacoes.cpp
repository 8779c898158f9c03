// The program's own operator new, counting each call: the add-in resolves operator new to this
// one too, so a benchmark can tell how many heap allocations one call of an export makes.
// Memory still comes from malloc, so the library's operator delete releases it unchanged.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "fixture.h"

namespace {

std::size_t chamadas = 0;  // Excel and the benchmarks run on one thread

void* aloca(std::size_t tamanho) {
    ++chamadas;
    if (void* p = std::malloc(tamanho == 0 ? 1 : tamanho)) return p;
    throw std::bad_alloc();
}

void* aloca_sem_excecao(std::size_t tamanho) noexcept {
    ++chamadas;
    return std::malloc(tamanho == 0 ? 1 : tamanho);
}

}  // namespace

void* operator new(std::size_t tamanho) { return aloca(tamanho); }
void* operator new[](std::size_t tamanho) { return aloca(tamanho); }
void* operator new(std::size_t tamanho, const std::nothrow_t&) noexcept { return aloca_sem_excecao(tamanho); }
void* operator new[](std::size_t tamanho, const std::nothrow_t&) noexcept { return aloca_sem_excecao(tamanho); }

std::size_t vx_bench::alocacoes() { return chamadas; }
