#include "addin.h"

#include <memory>
#include <stdexcept>

#include "xlhost/host.h"

namespace vx_bench {
namespace {

template <class Procedimento>
Procedimento procura(const xlhost::Host& host, const char* nome) {
    void* endereco = host.procedure(nome);
    if (endereco == nullptr) throw std::runtime_error(std::string("the add-in exports no ") + nome);
    return reinterpret_cast<Procedimento>(endereco);
}

std::string& caminho_do_addin() {
    static std::string caminho = xlhost::default_addin_path();
    return caminho;
}

}  // namespace

void usa_addin(const std::string& caminho) { caminho_do_addin() = caminho; }

xlhost::Host& excel() {
    static std::unique_ptr<xlhost::Host> host;
    if (!host) {
        auto novo = std::make_unique<xlhost::Host>();
        std::string erro;
        if (!novo->load(caminho_do_addin(), &erro)) throw std::runtime_error(erro);
        novo->auto_open();
        host = std::move(novo);
    }
    return *host;
}

const Exportacoes& exportacoes() {
    static const Exportacoes feitas{
        procura<decltype(Exportacoes::interpol)>(excel(), "interpol"),
        procura<decltype(Exportacoes::cspline)>(excel(), "cspline"),
        procura<decltype(Exportacoes::duration)>(excel(), "duration"),
        procura<decltype(Exportacoes::du)>(excel(), "du"),
        procura<decltype(Exportacoes::diautil)>(excel(), "diautil"),
        procura<decltype(Exportacoes::xl_auto_free)>(excel(), "xlAutoFree"),
    };
    return feitas;
}

Intervalo::Intervalo(const std::vector<std::pair<double, double>>& linhas) {
    if (linhas.empty() || linhas.size() > 65535) throw std::invalid_argument("a range holds 1 to 65535 rows");
    registros_.resize(2 * linhas.size());
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        registros_[2 * i].xltype = xltypeNum;
        registros_[2 * i].val.num = linhas[i].first;
        registros_[2 * i + 1].xltype = xltypeNum;
        registros_[2 * i + 1].val.num = linhas[i].second;
    }
    valor_.xltype = xltypeMulti;
    valor_.val.array.lparray = registros_.data();
    valor_.val.array.rows = static_cast<std::uint16_t>(linhas.size());
    valor_.val.array.columns = 2;
}

}  // namespace vx_bench
