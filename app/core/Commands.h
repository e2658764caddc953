#pragma once
// Command ids of the main window's menu; the numbers are the program's command ids.

namespace cmd {
constexpr int AdaugareLuna = 32778;
constexpr int VizualizareLuna = 32779;
constexpr int SalvareLuna = 32788;
constexpr int FinalizareLuna = 32797;
constexpr int RedeschideLuna = 32798;
constexpr int Renuntare = 32789;
constexpr int ImportConventii = 32780;
constexpr int ExportAnexe = 32777;
constexpr int SalveazaPeServer = 32800;
constexpr int ConstanteSistem = 32773;
constexpr int AdaugareAgent = 32785;
constexpr int ModificareAgent = 32786;
constexpr int SetareAgentImplicit = 32787;
constexpr int PrintCentralizator = 32801;
constexpr int PrintPontaj = 32776;
constexpr int PrintStatPlata = 32792;
constexpr int PrintArt80 = 32793;
constexpr int PrintArt85 = 32794;
constexpr int PrintL116 = 32795;
constexpr int PrintL72 = 32796;
constexpr int PrintArt93_4 = 32803;
constexpr int Ajutor = 32781;
constexpr int OptiuniAplicatie = 32802;
constexpr int DespreAplicatie = 32771;
constexpr int VerificaVersiune = 32782;
constexpr int ActualizeazaSarbatori = 32799;
constexpr int Iesire = 32790;
constexpr int IesireAltX = 32772; // Alt+X, outside the menu, same handler as Iesire
} // namespace cmd
