// The fixed rows of the translation table: Italian key, English and French text, in screen order.
#pragma once

struct RigaLingua {
    const char *italiano;
    const char *english;
    const char *francais;
};

// The first rows are the standard ones every table has had from the start; rows added later follow
// them, and a table from before gains them at the next start with its own rows left as they are.
inline constexpr int NumeroRigheLinguaStandard = 231;
inline constexpr int NumeroRigheLingua = NumeroRigheLinguaStandard + 30;
extern const RigaLingua RigheLingua[NumeroRigheLingua];

// A standard row whose English or French text was reworded after it had shipped: the row's index
// (from 0) and the text it had before, or null for a column left as it was. A stored text still
// equal to the old one is brought to the new wording at start; a text the user changed is kept.
struct TestoPrecedente {
    int riga;
    const char *english;
    const char *francais;
};
extern const TestoPrecedente TestiPrecedenti[];
extern const int NumeroTestiPrecedenti;
