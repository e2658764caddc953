#include "exchange/FisierDestinatie.h"

#include <filesystem>

std::string MotivDestinatieRefuzata(const std::string& strPath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(strPath, ec);
    if (ec || !fs::exists(st))
        return {};
    if (fs::is_symlink(st))
        return "Fisierul " + strPath + " este o legatura simbolica si nu va fi inlocuit!";
    if (fs::is_directory(st))
        return {}; // no file can be written there; the writer says so in its own words
    // The permission bits decide, not the process's rights: an administrator may write
    // anything, yet a file marked read-only was meant to stay.
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & kWrite) == fs::perms::none)
        return "Fisierul " + strPath + " este protejat la scriere si nu va fi inlocuit!";
    return {};
}
