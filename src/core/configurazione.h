// The maker's addresses, in one place: the web site (version page, downloads, fault forum) and the
// support mailbox.
#pragma once

inline constexpr const char *IndirizzoSitoBrivo = "https://www.brivo.example/";
inline constexpr const char *MailSupportoBrivo = "supporto@brivo.example";
