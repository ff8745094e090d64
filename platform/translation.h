#pragma once

// The program speaks the language that the environment asks for (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) where it ships a translation into it, English otherwise: the language of its sources.
namespace Translation {

// Gives the running application object the program's translation and, for the same language,
// Qt's own (the standard buttons and the file dialogs). Called once per application object,
// before it makes any text: every later tr() and qsTr() reads from them.
void install();

} // namespace Translation
