// The fixed rows of the translation table: Italian key, English and French text, in screen order.
#pragma once

struct RigaLingua {
    const char *italiano;
    const char *english;
    const char *francais;
};

inline constexpr int NumeroRigheLingua = 231;
extern const RigaLingua RigheLingua[NumeroRigheLingua];
