// The conventions document as the agency's file brings it, after deciphering: any bytes, any
// encoding. Reading must end with a result or a message, and what it reads must go through
// the checks before saving without harm.

#include "exchange/ConventiiKreno.h"
#include "exchange/XmlText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ConventieRow> rows;
    std::string error;
    const ParseResult result = ParseConventii(bytes, rows, error);
    if (result != ParseResult::Ok && !rows.empty())
        std::abort(); // a refused document never hands over persons
    if (result == ParseResult::ReaderError && error.empty())
        std::abort(); // a refusal always says why
    if (result == ParseResult::Ok) {
        VerificaConventii(rows, error);
        const std::vector<std::size_t> repetate = ConventiiRepetate(rows);
        if (!repetate.empty())
            MesajConventiiRepetate(rows, repetate);
        for (const ConventieRow& row : rows) {
            core::Date d;
            ParseDataText(row[15], d);
        }
    }
    std::size_t at = 0;
    std::string text;
    if (DecodeXmlText(bytes, text, error) && !EsteXmlBineFormat(text, at) && at > text.size())
        std::abort(); // the fault lies inside the text
    return 0;
}
