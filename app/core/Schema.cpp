#include "core/Schema.h"

#include "core/Database.h"
#include "core/VORTAPLApp.h"

#include <filesystem>
#include <sstream>

namespace core {

extern const char* const kSchemaScript;
extern const char* const kSeedScript;

const char* const kArt93_4Create =
    "CREATE TABLE ATO_RAPORTARE_ART93_4 ( ID TIMESTAMP DEFAULT CURRENT_TIMESTAMP NOT NULL,AN "
    "INTEGER NOT NULL,LN INTEGER NOT NULL,CIF VARCHAR(15) NOT NULL,CNP NUMERIC(15,0) NOT "
    "NULL,CNP_CORECT NUMERIC(13,0) NOT NULL,NUME VARCHAR(55) NOT NULL,CATEGORIE VARCHAR(10) NOT "
    "NULL,SUMA_BC NUMERIC(18,2) NOT NULL,ORE_IN_CONVENTIE  INTEGER NOT NULL,SUMA_CONVENTIE    "
    "NUMERIC(18,2) NOT NULL,OBSERVATIE        VARCHAR(50),ID_MA             BIGINT NOT "
    "NULL,ID_PERS           BIGINT NOT NULL)";
const char* const kArt93_4PrimaryKey =
    "ALTER TABLE ATO_RAPORTARE_ART93_4 ADD CONSTRAINT PK_ATO_RAPORTARE_ART93_4 PRIMARY KEY (ID)";
const char* const kArt93_4ForeignKey =
    "ALTER TABLE ATO_RAPORTARE_ART93_4 ADD CONSTRAINT FK_ATO_RAPORTARE_ART93_4 FOREIGN KEY (AN, "
    "LN, CIF) REFERENCES ATO_RAPORTARE (AN, LN, CIF) ON DELETE CASCADE ON UPDATE CASCADE";

std::vector<std::string> SplitScript(const std::string& strScript) {
    std::vector<std::string> out;
    std::istringstream in(strScript);
    std::string line, current;
    while (std::getline(in, line)) {
        std::string trimmed = line;
        while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == ' '))
            trimmed.pop_back();
        if (trimmed == ";") {
            if (current.find_first_not_of(" \n\t") != std::string::npos)
                out.push_back(current);
            current.clear();
            continue;
        }
        if (trimmed.rfind("--", 0) == 0)
            continue;
        current += line + "\n";
    }
    return out;
}

std::vector<std::string> SchemaStatements() {
    return SplitScript(kSchemaScript);
}
std::vector<std::string> SeedStatements() {
    return SplitScript(kSeedScript);
}

void CreateInitialDatabase(const std::string& strFile) {
    if (std::filesystem::exists(strFile))
        throw DbError("Fisierul exista deja: " + strFile);
    CreateDatabaseFile(strFile, kDbUser, kDbPassword);
    try {
        Database db;
        db.Connect(strFile, kDbUser, kDbPassword);
        // Tables first, each committed on its own (a table must exist before rows or keys
        // refer to it); then the reference rows in one transaction.
        for (const std::string& sql : SchemaStatements())
            db.ExecuteImmediate(sql);
        db.ExecuteImmediate(kArt93_4Create);
        db.ExecuteImmediate(kArt93_4PrimaryKey);
        db.ExecuteImmediate(kArt93_4ForeignKey);
        Transaction tr(db);
        tr.Start();
        Statement st(tr);
        for (const std::string& sql : SeedStatements())
            st.Execute(sql);
        tr.Commit();
        db.Disconnect();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(strFile, ec);
        throw;
    }
}

} // namespace core
