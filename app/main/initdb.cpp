// vortapl-initdb PATH: creates a new VORTAPL database file from the shipped schema.
#include "core/Database.h"
#include "core/Schema.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vortapl-initdb PATH/VORTAPL.DAT\n");
        return 2;
    }
    const std::string path = std::filesystem::absolute(argv[1]).string();
    if (std::filesystem::exists(path)) {
        std::fprintf(stderr, "%s already exists; it is left as it is.\n", path.c_str());
        return 0;
    }
    try {
        // Also removes what an earlier run that was killed or ran out of disk left.
        core::CreateInitialDatabase(path);
    } catch (const core::DbError& e) {
        std::fprintf(stderr, "Cannot create %s: %s\n", path.c_str(), e.what());
        return 1;
    }
    std::printf("Created %s\n", path.c_str());
    return 0;
}
