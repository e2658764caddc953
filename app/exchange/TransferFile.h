#pragma once
// Transfer files ".crypt": every file exchanged with the agency KRENO.
//
// Format: no header, no trailer; one 9-byte record per plain byte, in order: the Blowfish ECB
// encryption, with the fixed key "Jovrk415", of the block {plain byte, 0,0,0,0,0,0,0}, followed
// by one 0x00 byte. N plain bytes give exactly 9 x N bytes.
//
// Output path rules (the last "." of the file name is taken; the folders stay as they are):
//   encryption  "C:\dir\decont.xml" -> "C:\dir\decont.crypt", "name" -> "name.crypt"
//   decryption  "C:\dir\12_345.crypt" + "xml" -> "C:\dir\12_345.xml", "name" + "txt" -> "name.txt"
//   a dotted folder "/home/u/acte.2024/decont" -> "/home/u/acte.2024/decont.crypt"
//
// A failed call never creates, truncates or leaves behind an
// output file: the source is opened and read before the output is created, and the output is
// written to a temporary file in the same folder that is renamed into place only once complete
// (so a crash or a full disk never leaves a half-written file under the final name).
//
// Only EncryptTransferFile and DecryptTransferFile show message boxes (through
// platform::ShowMessage: caption "VORTAPL", error icon); everything else is free of any GUI.

#include <string>
#include <string_view>

// The key built into the application; the agency's side uses the same.
inline constexpr std::string_view TRANSFER_FILE_KEY = "Jovrk415";

// The path EncryptTransferFile writes for strPath.
std::string TransferPathFor(const std::string& strPath);
// The path DecryptTransferFile writes for strPath and the extension strExt (given without a dot).
std::string PlainPathFor(const std::string& strPath, const std::string& strExt);

// The format in memory. DecryptTransferData drops a remainder shorter than one record.
std::string EncryptTransferData(std::string_view plain);
std::string DecryptTransferData(std::string_view transfer);

// The operations the program calls. strOutPath receives the path of the produced file (on failure,
// the path that would have been produced). On failure a message box is shown and the result is
// false.
bool EncryptTransferFile(const std::string& strPath, std::string& strOutPath);
bool DecryptTransferFile(const std::string& strPath, const std::string& strExt,
                         std::string& strOutPath);

// The same operations without any message box: on failure strError receives the text that
// EncryptTransferFile / DecryptTransferFile would show. strError is emptied on success.
//   "Fisierul <path> nu a putut fi deschis pentru citire!"  the source cannot be opened or read
//   "Fisierul criptat nu a putut fi deschis pentru scriere!"   the output cannot be created
//                        (followed, on a line of its own, by the reason when a symbolic link,
//                        a directory or a write-protected file stands at the output's place)
//   "Fisierul decriptat nu a putut fi deschis pentru scriere!"  (or renamed into place)
//   "Fisierul criptat nu poate inlocui chiar fisierul sursa!"   the output path is the source
//   "Fisierul decriptat nu poate inlocui chiar fisierul sursa!"  (the same file, links resolved)
//   "Fisierul criptat nu a putut fi scris!"        writing the output failed (disk full, ...)
//   "Fisierul decriptat nu a putut fi scris!"
//   "Eroare la criptarea datelor!\n<cipher error text>"
bool TryEncryptTransferFile(const std::string& strPath, std::string& strOutPath,
                            std::string& strError);
bool TryDecryptTransferFile(const std::string& strPath, const std::string& strExt,
                            std::string& strOutPath, std::string& strError);

namespace transfer_detail {
// The file conversions with an explicit output path and key. The transfer files always use
// TRANSFER_FILE_KEY; another key serves only the tests of the cipher's failure message.
bool EncryptFile(const std::string& strPath, const std::string& strOutPath, std::string_view key,
                 std::string& strError);
bool DecryptFile(const std::string& strPath, const std::string& strOutPath, std::string_view key,
                 std::string& strError);
} // namespace transfer_detail
