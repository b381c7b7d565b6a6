// The settings record and the translation lookup that every form's captions go through.
#pragma once

#include <QString>
#include <optional>

// The named field of the settings record's first row, as text ("True"/"False" for a logical, ""
// for a blank); nothing when it could not be read, after the error box naming the field.
std::optional<QString> LetturaImpostazione(const QString &campo);

// The same read for a caller to whom a field that could not be read counts as a blank one (the box
// has been shown either way): an empty text on failure.
QString LeggiImpostazione(const QString &campo);

// The languages of the program: what the settings' LINGUA holds, and the columns of the
// translation table.
enum class Lingua { Italiano, English, Francais };
inline constexpr Lingua Lingue[] = {Lingua::Italiano, Lingua::English, Lingua::Francais};

// The language a stored text names: exactly "Italiano", "English" or "Français"; nothing for any
// other text, a blank one included.
std::optional<Lingua> LinguaDaTesto(const QString &testo);
// The text LINGUA stores for a language, which is also the name of its translation column.
QString TestoLingua(Lingua lingua);
// The language the captions are in: the one LINGUA names; Italian for a blank, for any other text
// and for a settings record that cannot be read (after its box).
Lingua LinguaImpostata();

// The text in the given language: a leading "&" and every apostrophe are removed, and the cleaned
// text is looked up; without a row the cleaned text comes back, and so it does for Italian or a
// text that names no language. Throws store::EngineError when the table cannot be read.
QString Traduci(const QString &testo, Lingua lingua);
QString Traduci(const QString &testo, const QString &lingua);

// True when captions must be translated: LINGUA is "English" or "Français". "Italiano", an empty
// value and any other value mean no translation.
bool LinguaDaTradurre(const QString &lingua);
