#pragma once
#include <string>
#include <string_view>

// Language files are INI files in the folder "Language/" of the program folder. Each names its
// own language in [Setting] Language and holds, in [String], the dialog captions
// ("IDD<template>_Title"), the control texts ("IDS_<control id>") and the texts of UiStrings
// ("SIDS_<n>"). In values the two characters "\n" stand for a line break.

inline constexpr std::string_view LanguageEnglish = "English";
inline constexpr std::string_view LanguageChinese = "Chinese";
// The "which" of WriteLanguageString.
inline constexpr int LanguageFileChinese = 0;
inline constexpr int LanguageFileEnglish = 1;

// The folder of the language files, ending in '/'.
std::string GetLanguageFolder();

// "Chinese" for a Simplified Chinese (zh_CN) locale name, else "English".
std::string GetLanguageNameForLocale(std::string_view localeName);
// The language the system's locale asks for ("Chinese" or "English").
std::string GetDefaultLanguageName();

// Makes the language file that declares the language the active one (an empty name means the
// language recorded in Info.ini). Files are tried in the order of their sorted names and the
// declared name must match exactly. With no match the folder is created, "English.ini" in it
// becomes the active file and the language is "English". The language is recorded in Info.ini.
// Returns the language now active.
std::string InitLanguage(std::string_view name);

// Info.ini [Setting] Language; "English" when missing.
std::string GetLanguageSetting();

// A [String] value of the active language file with "\n" turned into line breaks; empty when
// missing.
std::string GetLanguageString(std::string_view key);

// A text the program shows that has a key of its own ("XIDS_<name>"): GetLanguageString, or the
// key itself when the file lacks it, so a missing text is noticed instead of showing nothing.
std::string LanguageText(std::string_view key);

// Writes a [String] key into English.ini (which = LanguageFileEnglish) or Chinese.ini
// (LanguageFileChinese) of the language folder; any other which writes nothing. false when
// nothing was written.
bool WriteLanguageString(int which, std::string_view key, std::string_view value);

// The operator's language choice (0 English, 1 Chinese): makes that language active and reloads
// UiStrings; the caller then has every window take its texts again. Any other choice changes
// nothing and returns false.
bool SwitchLanguage(int choice);

// UiStrings from the active language file's "SIDS_<n>" keys. A text the file does not have
// (or a missing file) keeps its built-in English; a key that is present but empty is empty.
void LoadLanguageStrings();
