// The language the add-in speaks. Every text the user sees exists in Portuguese (Brazil) and in
// English (USA); the language setting chooses one for the life of the process.
#pragma once

namespace ambiente {

// 1 Portuguese (Brazil), 2 English (USA). Set once by read_settings at process attach, always 1
// or 2 afterwards; read only elsewhere.
extern int idioma;

// The add-in speaks Portuguese when idioma is 1, and English otherwise.
inline bool em_portugues() { return idioma == 1; }

// Where a pair of texts keeps the one of the language setting: 0 the Portuguese, 1 the English.
// Pairs and two-row tables keep the Portuguese first.
inline int lingua() { return em_portugues() ? 0 : 1; }

// The one of the two in the language setting.
template <class Texto>
const Texto& bilingue(const Texto& portugues, const Texto& ingles) {
    return em_portugues() ? portugues : ingles;
}
// A choice between two temporaries would answer a reference to one of them once it is gone.
template <class Texto>
const Texto& bilingue(const Texto&&, const Texto&&) = delete;

}  // namespace ambiente
