// The game's constant texts: the letters of the letters game, the words of
// the words game, the instructions and captions of the game window.
// Generated from the game's text tables; do not edit by hand.
#include "drills/gamewords.h"

namespace game {

const char kLetters[] = "azertyuiopqsdfghjklmwxcvbn";

const char *const kWords[kWordCount] = {
    "Aïe",     // 1
    "Maman",   // 2
    "Route",   // 3
    "Clavier", // 4
    "Ordre",   // 5
    "Phrase",  // 6
    "Touche",  // 7
    "Jeu",     // 8
    "Dodo",    // 9
    "Azerty",  // 10
    "Encore",  // 11
    "Tour",    // 12
    "Assez",   // 13
    "Déjà",    // 14
    "Ici",     // 15
    "Voilà",   // 16
    "Capital", // 17
    "Dame",    // 18
    "Papier",  // 19
    "Café",    // 20
};

const char kLettersInstruction[] = "Détruisez les lettres avant qu'elle n'arrivent en bas";
const char kWordsInstruction[] = "Détruisez les mots avant qu'ils n'arrivent en bas";
const char kCaption[] = "Jeu";
const char kPlay[] = "Jouer";

} // namespace game
