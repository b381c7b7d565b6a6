// The maker's addresses, in one place: the web site (version page, downloads, fault forum) and the
// support mailbox.
#pragma once

inline constexpr const char *IndirizzoSitoBrivo = "https://www.brivo.example/";
inline constexpr const char *MailSupportoBrivo = "supporto@brivo.example";

// The product's name and version text, as About shows them; packing, the version check and the
// fault report read them from here.
inline constexpr const char *NomeProdotto = "Brivo_Rotaset";
inline constexpr const char *VersioneProdotto = "04.2002-66";
