// The six phrase categories: a title and two pages of three phrases.
// Extracted by program from the lesson texts: every character, typos and
// doubled blanks included, is the program's own; do not retype.
#include "drills/phrasetexts.h"

namespace drills {

namespace {

// clang-format off
const PhraseCategory kCategories[CategoryCount] = {
    {"Maximes",
     {{{"Un clavier AZERTY en vaut deux",
        "Qui vole un oeuf ferait mieux de voler un boeuf",
        "Plus je connais les hommes, plus j'aime mon chien"}},
      {{"Plus je connais les femmes, et plus j'aime ma main",
        "L'erreur est humaine mais un véritable désastre nécessite un ordinateur",
        "Si le vin te gêne dans ton travail, supprime le travail"}}}},
    {"Citations",
     {{{"Moi les femmes, je suis contre... tout contre...",
        "Au moment où la foi sort du coeur, la crédulité entre dans l'esprit",
        "Le cri du pauvre monte jusqu'à Dieu mais il n'arrive pas à l'homme"}},
      {{"D'esclave, l'homme de crime peut devenir tyran, mais jamais il ne devient libre",
        "Au moment où la foi sort du coeur, la crédulité entre dans l'esprit",
        "L'art est un département des aberrations"}}}},
    {"Dictons",
     {{{"Nul n'est tenu de s'accuser soi-même.",
        "Achetez à crédit et vendez comptant.",
        "Quand on aime, ventre affamé n'a pas faim."}},
      {{"Qui écrit des lettres d'amour doit avoir les mains moites.",
        "Les serments des amoureux ne parviennent pas à l'oreille des dieux.",
        "Mieux vaut la dictature du fer que l'anarchie de l'or."}}}},
    {"Romans",
     {{{"Le rouge et le noir",
        "Autant en emporte le vent",
        "Les chemins de la liberté"}},
      {{"Le crime de l'Orient-Express",
        "2001, l'Odyssée de l'espace",
        "Les extra-terrestres sont parmis nous"}}}},
    {"Films",
     {{{"Les 7 mercenaires",
        "Les 10 commandements",
        "Tarzan, le Roi de la jungle"}},
      {{"L'aile ou la cuisse",
        "Un homme presque parfait",
        "La fureur de vivre"}}}},
    {"Proverbes",
     {{{"L'abeille est honorée parce qu'elle travaille non pour elle seule, mais pour tous.",
        "Celui a qui l'on permet plus qu'il n'est juste, veut plus qu'il ne lui est permis.",
        "Pour une querelle n'allez pas au Tribunal, ni pour la moindre soif au cabaret."}},
      {{"C'est aux miracles que l'on connaît les saints.",
        "La figure fait la beauté d'une statue, l'action fait celle de l'homme.",
        "Le seul bien qui ne puisse nous être ravi est le plaisir d'avoir fait une bonne action."}}}},
};
// clang-format on

} // namespace

const PhraseCategory *phraseCategory(std::int32_t code)
{
    if (code < 1 || code > CategoryCount)
        return nullptr;
    return &kCategories[code - 1];
}

} // namespace drills
