// The texts of the install notice. It speaks Portuguese only, whatever language the add-in
// was set to: it belongs to the installation, before any setting is made.
#pragma once

#include <cstddef>

namespace instalador {

extern const char* const titulo;           // the caption
extern const char* const marca;            // Label1
extern const char* const instalando;       // Label2
extern const char* const categoria;        // Label3
extern const char* const direitos;         // Label4
// The terms of use, one paragraph a line (the box wraps them), ending with the signature.
extern const char* const termos[];
extern const std::size_t linhas_dos_termos;

}  // namespace instalador
