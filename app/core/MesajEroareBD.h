#pragma once
// What the user reads when the database engine refuses an operation: a sentence saying what
// happened and what to do, with the engine's own text under it for whoever gives support.

#include <string>

namespace core {

// The Romanian explanation of a common engine error, or empty when the text is not one the
// program knows.
std::string ExplicatieEroareBD(const std::string& strEngineText);

// The explanation followed by the engine text; an unknown error is shown as the engine wrote it.
std::string MesajEroareBD(const std::string& strEngineText);

} // namespace core
