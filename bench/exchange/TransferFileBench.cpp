// Transfer files: encrypting and decrypting a 1 MB plain file, as the program
// does it (files on disk, output through a temporary file and a rename, fsync included).
// Target (design.md): under 0.2 s each.

#include "exchange/BlowfishCipher.h"
#include "exchange/Md5Digest.h"
#include "exchange/TransferFile.h"
#include "platform/MessageBox.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr std::size_t PLAIN_SIZE = 1 << 20; // 1 MB

std::string PlainData() {
    std::mt19937 rng(42);
    std::string s(PLAIN_SIZE, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng());
    return s;
}

class Folder {
public:
    Folder() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "vortapl-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        m_path = tmpl;
    }
    ~Folder() { std::filesystem::remove_all(m_path); }
    std::string file(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void Write(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary)
        .write(data.data(), static_cast<std::streamsize>(data.size()));
}

void BM_EncryptTransferFile_1MB(benchmark::State& state) {
    platform::SetMessageHook([](const platform::MessageRecord&) {
        std::abort();
        return platform::Answer::Ok;
    });
    Folder dir;
    Write(dir.file("decont.xml"), PlainData());
    std::string out;
    for (auto _ : state) {
        if (!EncryptTransferFile(dir.file("decont.xml"), out))
            state.SkipWithError("encryption failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PLAIN_SIZE));
}
BENCHMARK(BM_EncryptTransferFile_1MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecryptTransferFile_1MB(benchmark::State& state) {
    platform::SetMessageHook([](const platform::MessageRecord&) {
        std::abort();
        return platform::Answer::Ok;
    });
    Folder dir;
    Write(dir.file("conventii.crypt"), EncryptTransferData(PlainData()));
    std::string out;
    for (auto _ : state) {
        if (!DecryptTransferFile(dir.file("conventii.crypt"), "xml", out))
            state.SkipWithError("decryption failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PLAIN_SIZE));
}
BENCHMARK(BM_DecryptTransferFile_1MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncryptTransferData_1MB(benchmark::State& state) {
    const std::string plain = PlainData();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncryptTransferData(plain));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PLAIN_SIZE));
}
BENCHMARK(BM_EncryptTransferData_1MB)->Unit(benchmark::kMillisecond);

void BM_BlowfishEcb_8MB(benchmark::State& state) {
    const unsigned char key[] = {'J', 'o', 'v', 'r', 'k', '4', '1', '5'};
    const BlowfishCipher cipher(key, sizeof key);
    std::string buf(8 * PLAIN_SIZE, '\x5A');
    auto* p = reinterpret_cast<unsigned char*>(buf.data());
    for (auto _ : state) {
        cipher.Encrypt(p, p, buf.size(), BlowfishCipher::ECB);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buf.size()));
}
BENCHMARK(BM_BlowfishEcb_8MB)->Unit(benchmark::kMillisecond);

void BM_Md5Digest_9MBTransferFile(benchmark::State& state) {
    Folder dir;
    Write(dir.file("conventii.crypt"), EncryptTransferData(PlainData()));
    std::string digest;
    for (auto _ : state)
        benchmark::DoNotOptimize(Md5Digest(dir.file("conventii.crypt"), digest));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 9 * PLAIN_SIZE));
}
BENCHMARK(BM_Md5Digest_9MBTransferFile)->Unit(benchmark::kMillisecond);

} // namespace
