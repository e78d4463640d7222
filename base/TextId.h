// The ids of the string table (resources/strings.rc) by name. Every text of
// the table has exactly one name here and every name a text in all three
// languages; a host test holds the two against each other.
#pragma once

namespace base {

// X(name, id) for every text, in the order of the table.
#define NOMARO_TEXT_IDS(X)              \
    X(Cancel, 102)                      \
    X(Ok, 103)                          \
    X(UserName, 106)                    \
    X(TimeTakenZero, 125)               \
    X(SearchStart, 126)                 \
    X(SelectedFolders, 127)             \
    X(SearchExplanation, 128)           \
    X(FilesToRename, 131)               \
    X(IndexFourDigits, 132)             \
    X(OtherStartNumber, 133)            \
    X(KeepExtensionQuestion, 134)       \
    X(NewExtensionQuestion, 135)        \
    X(EnterNewFileName, 136)            \
    X(ClearTheList, 137)                \
    X(RenameCaption, 138)               \
    X(SelectArrow, 139)                 \
    X(UnselectArrow, 140)               \
    X(Exit, 141)                        \
    X(SelectExeFiles, 145)              \
    X(SelectProgramFiles, 146)          \
    X(SelectDocFiles, 147)              \
    X(SelectTxtFiles, 148)              \
    X(SelectRtfFiles, 149)              \
    X(SelectTextTypeFiles, 150)         \
    X(SelectPictureFiles, 151)          \
    X(SelectInternetFiles, 152)         \
    X(Help, 153)                        \
    X(ChoosePrintOrSave, 155)           \
    X(ChooseRename, 156)                \
    X(ViewPictureFiles, 162)            \
    X(Open, 163)                        \
    X(SaveAs, 164)                      \
    X(Close, 165)                       \
    X(PrinterSetup, 166)                \
    X(Print, 167)                       \
    X(ListOptionMenu, 168)              \
    X(IncludePath, 169)                 \
    X(Undo, 170)                        \
    X(Redo, 171)                        \
    X(Copy, 172)                        \
    X(Cut, 173)                         \
    X(Delete, 174)                      \
    X(Paste, 175)                       \
    X(FontProperties, 177)              \
    X(ClearList, 178)                   \
    X(SelectAllInDocument, 179)         \
    X(SelectAllInFileList, 180)         \
    X(SelectMenu, 181)                  \
    X(ShowAllFiles, 182)                \
    X(SystemInfo, 183)                  \
    X(AddToList, 184)                   \
    X(SaveToFile, 185)                  \
    X(LargeFontsRefused, 188)           \
    X(WrongFontTitle, 189)              \
    X(ResolutionRefused, 190)           \
    X(ResolutionErrorTitle, 191)        \
    X(NoFilesToSend, 192)               \
    X(TimeTaken, 193)                   \
    X(FileTransference, 194)            \
    X(FileNameIndex, 195)               \
    X(FileExistsStopped, 196)           \
    X(EnterNewNamePrompt, 197)          \
    X(FileMenu, 198)                    \
    X(RenameOptionMenu, 199)            \
    X(HelpMenu, 200)                    \
    X(New, 201)                         \
    X(SelectAllFiles, 202)              \
    X(SelectPdfFiles, 203)              \
    X(SelectJpgFiles, 204)              \
    X(SelectGifFiles, 205)              \
    X(SelectBmpFiles, 206)              \
    X(SelectPsdFiles, 207)              \
    X(SelectHtmlFiles, 208)             \
    X(Yes, 209)                         \
    X(No, 210)                          \
    X(ExitNow, 211)                     \
    X(FilesToPrintOrSave, 216)          \
    X(EditMenu, 217)                    \
    X(RadicalSelect, 218)               \
    X(SelectPdfFilesList, 219)          \
    X(SelectWmfFiles, 220)              \
    X(SelectIcoFiles, 221)              \
    X(SelectCurFiles, 222)              \
    X(ExitProgram, 223)                 \
    X(HintTransfer, 224)                \
    X(HintSaveSelected, 225)            \
    X(HintPrint, 226)                   \
    X(HintClearList, 227)               \
    X(HintViewPicture, 228)             \
    X(HintUnselect, 230)                \
    X(HintIndexFour, 231)               \
    X(HintIndexThree, 232)              \
    X(HintIndexTwo, 233)                \
    X(HintStartNumber, 234)             \
    X(HintKeepExtension, 235)           \
    X(HintNewExtension, 236)            \
    X(HintNewName, 237)                 \
    X(HintRename, 238)                  \
    X(ExitTitle, 239)                   \
    X(Credits, 240)                     \
    X(NothingWouldChange, 241)          \
    X(RenameWindowCaption, 247)         \
    X(SelectCaption, 248)               \
    X(AddToEveryLine, 249)              \
    X(MainFeatures, 250)                \
    X(ThanksForUsing, 252)              \
    X(HintNewExtensionBox, 254)         \
    X(HintStartNumberBox, 255)          \
    X(RenameSelectedFiles, 256)         \
    X(NothingTo, 258)                   \
    X(SwitchWindowQuestion, 259)        \
    X(SwitchWindowQuestion2, 260)       \
    X(SwitchWindowTitle, 261)           \
    X(RenameTitle, 262)                 \
    X(CountMarkedFiles, 263)            \
    X(GotoRename, 264)                  \
    X(AboutAndSystemInfo, 265)          \
    X(ClearWriteProtection, 266)        \
    X(Date, 267)                        \
    X(Page, 268)                        \
    X(EmptyList, 270)                   \
    X(FilesMissing, 271)                \
    X(Sending, 274)                     \
    X(NothingToRename, 275)             \
    X(FilesPleaseWait, 276)             \
    X(Time, 278)                        \
    X(Moving, 279)                      \
    X(Searching, 280)                   \
    X(HintIndexedExtension, 281)        \
    X(TooManyForIndexedExtension, 282)  \
    X(NothingSavedNeedsTxtOrRtf, 283)   \
    X(UndoLastRename, 284)              \
    X(UndoQuestion, 285)                \
    X(RenamedBack, 286)                 \
    X(NotRenamedBack, 287)              \
    X(OldNameTaken, 288)                \
    X(RenamedFileGone, 289)             \
    X(FolderGone, 290)                  \
    X(InterruptedRenameQuestion, 291)   \
    X(JournalUnavailable, 292)          \
    X(JournalUnreadable, 293)           \
    X(JournalOfNewerVersion, 294)       \
    X(NothingToUndo, 295)               \
    X(JournalEmpty, 296)                \
    X(JournalNotAJournal, 297)          \
    X(JournalCutOff, 298)               \
    X(JournalDamaged, 299)              \
    X(JournalTooLarge, 300)             \
    X(BatchTooLargeForJournal, 301)

#define NOMARO_TEXT_ENUMERATOR(name, id) name = id,
enum class Text : int { NOMARO_TEXT_IDS(NOMARO_TEXT_ENUMERATOR) };
#undef NOMARO_TEXT_ENUMERATOR

#define NOMARO_TEXT_ID(name, id) id,
// Every id of the table, in order.
inline constexpr int kAllTextIds[] = {NOMARO_TEXT_IDS(NOMARO_TEXT_ID)};
#undef NOMARO_TEXT_ID

}  // namespace base
