// The language the add-in speaks. Every text the user sees exists in Portuguese (Brazil) and in
// English (USA); the language setting chooses one for the life of the process.
//
// A text that differs by language is a Bilingue, made of one text per language: a language
// added to Idioma is added to Bilingue's constructor and to `em`, and every text of the add-in
// then fails to build until it is given in it.
#pragma once

namespace ambiente {

enum class Idioma : unsigned char { portugues, ingles };

// The language setting: set once by read_settings at process attach, read only elsewhere.
// English until then, and whenever the settings choose no other.
extern Idioma idioma;

template <class Texto>
class Bilingue {
public:
    constexpr Bilingue(Texto portugues, Texto ingles) : portugues_(portugues), ingles_(ingles) {}

    constexpr const Texto& em(Idioma qual) const {
        switch (qual) {
            case Idioma::portugues: return portugues_;
            case Idioma::ingles: return ingles_;
        }
        return ingles_;
    }
    // The one of the language setting.
    const Texto& atual() const { return em(idioma); }

private:
    Texto portugues_;
    Texto ingles_;
};

}  // namespace ambiente
