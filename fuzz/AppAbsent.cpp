// The readers under test never reach the application object: the fuzz targets run without
// one. Should a reader ever call into it, the run stops here and the fuzzer reports the input.

#include "core/VORTAPLApp.h"

#include <cstdlib>

CVORTAPLApp& theApp() {
    std::abort();
}

void CVORTAPLApp::WriteLog(const std::string&) {
    std::abort();
}
