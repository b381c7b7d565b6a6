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
inline constexpr int NumeroRigheLingua = NumeroRigheLinguaStandard + 2 + 7;
extern const RigaLingua RigheLingua[NumeroRigheLingua];
