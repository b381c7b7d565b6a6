// The settings record and the translation lookup that every form's captions go through.
#pragma once

#include <QString>

// The named field of the settings record's first row, as text ("True"/"False" for a logical, ""
// for a blank). On any failure: the error box naming the field, and an empty text.
QString LeggiImpostazione(const QString &campo);

// The text in the given language ("English" or "Français", the translation table's column names):
// a leading "&" and every apostrophe are removed, and the cleaned text is looked up; without a row
// the cleaned text comes back, and so it does for a language that is no column of the table.
// Throws store::EngineError when the table cannot be read.
QString Traduci(const QString &testo, const QString &lingua);

// True when captions must be translated: LINGUA is "English" or "Français". "Italiano", an empty
// value and any other value mean no translation.
bool LinguaDaTradurre(const QString &lingua);
