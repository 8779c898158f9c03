// What a calculation core answers: a number, or the reason there is none. The worksheet
// exports turn it into their result record; the cores never see Excel's value record.
#pragma once

#include <cmath>
#include <cstdint>

namespace funcoes {

// Why a core gives no number. Each maps to one Excel error value at the boundary.
enum class Erro : std::uint8_t {
    nenhum,  // a number was produced
    na,      // rejected or insufficient input (#N/A)
    valor,   // an argument outside its range (#VALUE!)
    num,     // no finite answer, or a whole number that does not fit its integer (#NUM!)
    div0,    // a divisor that the inputs made exactly zero (#DIV/0!)
};

class Resultado {
public:
    // The only way a number becomes a result: infinities and NaN become #NUM!, so no core can
    // hand garbage to a cell.
    static Resultado numero(double valor) {
        if (!std::isfinite(valor)) return falha(Erro::num);
        return Resultado(Erro::nenhum, valor);
    }
    static Resultado falha(Erro erro) { return Resultado(erro, 0.0); }

    bool ok() const { return erro_ == Erro::nenhum; }
    Erro erro() const { return erro_; }
    double valor() const { return valor_; }

private:
    Resultado(Erro erro, double valor) : erro_(erro), valor_(valor) {}
    Erro erro_;
    double valor_;
};

// A logical answer, or the reason there is none.
struct ResultadoLogico {
    Erro erro = Erro::nenhum;
    bool valor = false;

    static ResultadoLogico logico(bool v) { return {Erro::nenhum, v}; }
    static ResultadoLogico falha(Erro e) { return {e, false}; }
};

}  // namespace funcoes
