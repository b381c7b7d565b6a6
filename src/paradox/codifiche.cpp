#include "paradox/codifiche.h"

#include <QHash>
#include <array>

namespace paradox {

namespace {

// The upper half (0x80 to 0xFF) of each code page, one character each; the lower half is ASCII.
// U+FFFD marks a byte the code page leaves undefined.
const char *const Alta437 = "ÇüéâäàåçêëèïîìÄÅ"
                            "ÉæÆôöòûùÿÖÜ¢£¥₧ƒ"
                            "áíóúñÑªº¿⌐¬½¼¡«»"
                            "░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
                            "└┴┬├─┼╞╟╚╔╩╦╠═╬╧"
                            "╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
                            "αßΓπΣσµτΦΘΩδ∞φε∩"
                            "≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
const char *const Alta850 = "ÇüéâäàåçêëèïîìÄÅ"
                            "ÉæÆôöòûùÿÖÜø£Ø×ƒ"
                            "áíóúñÑªº¿®¬½¼¡«»"
                            "░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐"
                            "└┴┬├─┼ãÃ╚╔╩╦╠═╬¤"
                            "ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀"
                            "ÓßÔÒõÕµþÞÚÛÙýÝ¯´"
                            "\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";
const char *const Alta1252 = "€\uFFFD‚ƒ„…†‡ˆ‰Š‹Œ\uFFFDŽ\uFFFD"
                             "\uFFFD‘’“”•–—˜™š›œ\uFFFDžŸ";

using Tabella = std::array<char16_t, 128>;

Tabella costruisci(const char *utf8)
{
    Tabella t{};
    const QString s = QString::fromUtf8(utf8);
    for (int i = 0; i < 128 && i < s.size(); ++i)
        t[size_t(i)] = s.at(i).unicode();
    return t;
}

Tabella costruisci1252()
{
    Tabella t = costruisci(Alta1252);
    for (int i = 0x20; i < 0x80; ++i) // 0xA0 to 0xFF: as Latin-1
        t[size_t(i)] = char16_t(0x80 + i);
    return t;
}

const Tabella &tabella(int codice)
{
    static const Tabella t437 = costruisci(Alta437);
    static const Tabella t850 = costruisci(Alta850);
    static const Tabella t1252 = costruisci1252();
    switch (codice) {
    case 437:
        return t437;
    case 850:
        return t850;
    default:
        return t1252;
    }
}

} // namespace

bool CodicePaginaNoto(int codice) { return codice == 437 || codice == 850 || codice == 1252; }

QString DaCodicePagina(const char *dati, qsizetype lunghezza, int codice)
{
    const Tabella &t = tabella(codice);
    QString testo(lunghezza, Qt::Uninitialized);
    QChar *out = testo.data();
    for (qsizetype i = 0; i < lunghezza; ++i) {
        const unsigned char c = static_cast<unsigned char>(dati[i]);
        out[i] = c < 0x80 ? QChar(c) : QChar(t[c - 0x80]);
    }
    return testo;
}

QByteArray ACodicePagina(const QString &testo, int codice)
{
    const Tabella &t = tabella(codice);
    QHash<char16_t, char> inverso;
    for (int i = 0; i < 128; ++i)
        if (t[size_t(i)] != 0xFFFD)
            inverso.insert(t[size_t(i)], char(0x80 + i));
    QByteArray out;
    out.reserve(testo.size());
    for (QChar c : testo) {
        if (c.unicode() < 0x80)
            out += char(c.unicode());
        else
            out += inverso.value(c.unicode(), '?');
    }
    return out;
}

} // namespace paradox
