// The key-group exercises, one row each: the menu item, the instruction, the
// three model lines and, for the French characters, the keys it teaches.
// The eighteen first are extracted by program from the lesson texts: every
// character, typos and doubled blanks included, is the program's own; do not
// retype them.
#include "drills/exercisetexts.h"

#include <iterator>

namespace drills {

namespace {

// clang-format off
constexpr ExerciseText kExercises[] = {
    {"N1gh1", "&1 Touches g h", "Touches g h",
     "Touches g h. Index gauche, index droit",
     {"gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg",
      "qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh",
      "dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh"}, {}},
    {"N2ap1", "&2 Touches a p", "Touches a p",
     "Touches a p. Auriculaire gauche, auriculaire droir",
     {"ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa",
      "qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp",
      "aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh"}, {}},
    {"N3zq1", "&3 Touches z o", "Touches z o",
     "Touches z o. Annulaire gauche, annulaire droit",
     {"qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo",
      "qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo",
      "azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj"}, {}},
    {"N4erui1", "&4 Touches h j", "Touches e r u i",
     "Touches e r u i. Majeur et index gauches, droits",
     {"de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki",
      "fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju ju fr ju fr ju",
      "edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj"}, {}},
    {"N5ty1", "&5 Touches t y", "Touches t y",
     "Touches t y. Index gauche, index droit",
     {"ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy",
      "frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy",
      "frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy"}, {}},
    {"N6wxcv1", "&6 Touches w x c v", "Touches w x c v",
     "Touches w x c v. Auriculaire et annumaire gauches, droits",
     {"qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv",
      "wq xs cd vf wq xs cd vf wq xs cd vf wq xs cd vf wq xs cd vfwq xs cd vf",
      "qwq sxs dcd fvf qwq sxs dcd fvf qwq sxs dcd fvf qwq sxs dcd fvf"}, {}},
    {"N7bn1", "&7 Touches b n", "Touches b n",
     "Touches b n. Index gauche, index droit",
     {"fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn",
      "fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj",
      "fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn"}, {}},
    {"N8Touches1", "&8 Touches é è", "Touches é è",
     "Touches é è. Auriculaire gauche, index droit",
     {"qaé juè qaé juè qaé juè qaé juè qaé juè qaé juè qaé juè qaé juè qaé juè",
      "téléphoné tiède récolté épouséathlète équipé mètre géré ère espèce comète",
      "fréquent frère journée guère planète légèreté espèce hémisphère planète"}, {}},
    {"N9Touches1", "&9 Touches ç à", "Touches ç à",
     "Touches ç à. Majeur droit, annulaire droit",
     {"kç là kç là kç là kç là kç là kç là kç là kç là kç là kç là kç là kç là",
      "kiç loà kiç loà kiç loà kiç loà kiç loà kiç loà kiç loà kiç loà kiç loà",
      "maçon voilà reçu déjà déçu leçon là soupçon poinçon hameçon"}, {}},
    {"N10Touches1", "&10 Touches ^ ù", "Touches ^ ù",
     "Touches ^ ù. Auriculaire droit",
     {"m^ mù m^ mù m^ mù m^ mù m^ mù m^ mù m^ mù m^ mù m^ mù",
      "môm pùm môm pùm môm pùm môm pùm môm pùm môm pùm môm pùm",
      "août bâti aîné arrêt tête pêche piqûre dîner hôtel tâche où prêt flâner"}, {}},
    {"N11Touches1", "&11 Touches , ; : !", "Touches , ; : !",
     "Touches , ; : !. Index droit",
     {"j, k; l: m! j, k; l: m! k; l: m! k; l: m! k; l: m! k; l: m! k; l: m!",
      "voila, hélas! je voudrais : il pleut; voila, hélas! je voudrais : il pleut;",
      "voila, hélas! je voudrais : il pleut; voila, hélas! je voudrais : il pleut;"}, {}},
    {"N12Touches1", "&12 Touches \" '", "Touches \" '",
     "Touches \" '. Auriculaire droit",
     {"s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d' s\" d'",
      "sz\" de' sz\" de' sz\" de' sz\" de' sz\" de' sz\" de' sz\" de' sz\" de' sz\" de'",
      "\"confidentiel\" l'hiver \"stop\" l'été \"défense d'entrer\" l'amour \"chut\""}, {}},
    {"N13Touches1", "&13 Touches ( )", "Touches ( )",
     "Touches ( ). Index gauche Annulaire droit",
     {"f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m)",
      "fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp)",
      "; (point virgule) ! (point d'exclamation) , (virgule) : (deux points)"}, {}},
    {"N14Touches1", "&14 Touches - _", "Touches - _",
     "Touches - _. Index gauche, index droit",
     {"f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_",
      "ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_",
      "trente-deux faire-part jean-paul laisser-aller micro-ondes audio-visuel"}, {}},
    {"N15Touches1", "&15 Touches MAJ min", "Touches MAJUSCULES minuscules",
     "Touches MAJ min. Auriculaire de la main opposée",
     {"Nathalie Michelle Nadine Paul Laurence Rose Vincent Martine Gérard",
      "BP TGV PME PTT BTS DEUG DUT RATP SNCF CB CP GM GO",
      "Valérie va de Lyon à Paris en prenant le TGV venant de Marseille"}, {}},
    {"N16Touches1", "&16 Touches 1234567890", "Touches 1234567890",
     "Touches 1234567890. Pavé numérique ou en Caps Lock",
     {"Q1 Q2 S3 D4 F5 F6 J7 J8 K9 L0 Q1 Q2 S3 D4 F5 F6 J7 J8 K9 L0",
      "125 478 56 210 478 145 320 156 147 852 4 152 63 987 57 6214",
      "11 380 36 942 75 486 14 201 76 896 347 120 2 421 10 358 45 197"}, {}},
    {"N17Touches1", "&17 Touches - x : + =", "Touches - x : + =",
     "Touches - x : + =. Utilisation alternée des maj min",
     {"f - s x l : p = m + f - s x l : p = m + s x l : p = m + s x l : p = m +",
      "4523 - 471 = 4052 187 x 23 = 4031 520 : 10 = 52 8965 + 1321 = 10286",
      "5287 - 4422 = 865 265 x 11 = 30210 266 : 2 = 133 6256 + 547 = 6803"}, {}},
    {"N18Touches1", "&18 Touches ? .", "Touches ? .",
     "Touches & ? .. Auriculaire droit",
     {"J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K.",
      "j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k.",
      "pourquoi ? comment ? alors ? vraiment ? où ? ici ? encore ? quoi ?"}, {}},
    // The French characters the eighteen leave out. Texts of our own; the
    // non-breaking space (\u00a0) goes where French typography puts it.
    {"N19Touches1", "19 &Majuscules accentuées", "Majuscules accentuées É È À Ç",
     "Majuscules accentuées. Verr. Maj, la lettre, puis Verr. Maj à nouveau\u00a0; ^ ou ¨, puis Maj + la lettre",
     {"É È À Ç Ê Ô Î Ù Û Ë Ï Ü É È À Ç Ê Ô Î Ù Û Ë Ï Ü É È À Ç Ê Ô Î Ù Û Ë Ï Ü",
      "Noël, maïs, naïf, canoë\u00a0; NOËL, MAÏS, CANOË, SÛR, FLÛTE, CAPHARNAÜM, ÉTÉ",
      "À Noël, l'élève naïve goûte un kiwi mûr exquis, puis joue au kayak près du zèbre fâché"},
     {"Majuscules accentuées", "ÉÈÀÇÊÔÎÙÛËÏÜ"}},
    {"N20Touches1", "20 &Touches œ æ", "Touches œ æ",
     "Touches œ æ. œ\u00a0: o puis e\u00a0; æ\u00a0: Alt Gr + a, auriculaire gauche",
     {"cœur sœur œuf bœuf vœu nœud œil œuvre chœur mœurs Œuf Œil Œuvre",
      "Ma petite sœur apprend par cœur une poésie pour l'école.",
      "Les deux élèves finissent ex æquo. EX ÆQUO, ŒUVRE, CŒUR, SŒUR"},
     {"Touches œ æ", "œæ"}},
    {"N21Touches1", "21 &Guillemets « » et apostrophe ’", "Guillemets « » et apostrophe ’",
     "Touches « » ’. Alt Gr + z, Alt Gr + x, annulaire gauche\u00a0; ’\u00a0: '",
     {"«\u00a0oui\u00a0» «\u00a0non\u00a0» «\u00a0merci\u00a0» l’eau l’été d’accord j’aime qu’il",
      "Il m’a dit «\u00a0à demain\u00a0» et s’en est allé. C’est l’heure du goûter.",
      "«\u00a0L’habit ne fait pas le moine\u00a0», répète souvent ma grand-mère."},
     {"Touches « » ’", "«»’"}},
    {"N22Touches1", "22 &Ponctuation française", "Espaces insécables, points de suspension, tirets",
     "Ponctuation. Espace avant ; : ! ?\u00a0; … = ...\u00a0; – et — = -",
     {"Bravo\u00a0! Vraiment\u00a0? Attention\u00a0: fragile\u00a0; hélas\u00a0! Quoi\u00a0? Et puis…",
      "— Tu viens\u00a0? — Pas ce soir\u00a0; je suis fatigué… — Dommage\u00a0!",
      "Le train – celui de huit heures – était en retard\u00a0: quelle histoire\u00a0!"},
     {"Ponctuation", "\u00a0…–—"}},
    {"N23Touches1", "23 &Chiffres et nombres", "Chiffres, signes et nombres écrits en français",
     "Chiffres et nombres. Maj + rangée du haut\u00a0; €\u00a0: Alt Gr + e",
     {"1 2 3 4 5 6 7 8 9 0 10\u00a0% 25\u00a0% 50\u00a0% 100\u00a0% 1/2 3/4 2 + 2 = 4 90°",
      "Le pain coûte 1,20\u00a0€, le journal 2,50\u00a0€ et le repas 12,50\u00a0€.",
      "Départ à 3\u00a0h\u00a015, arrivée à 17\u00a0h\u00a040\u00a0; 1\u00a0234\u00a0km en voiture."},
     {"Chiffres et nombres", "%°€"}},
    {"N24Touches1", "24 &Signes Alt Gr", "Signes Alt Gr @ # € { } [ ] | \\ ~",
     "Signes Alt Gr. Pouce droit sur Alt Gr, puis à @, \" #, ' {, ( [, - |",
     {"@ # € { } [ ] | \\ ~ ` @ # € { } [ ] | \\ ~ ` @ # € { } [ ] | \\ ~ `",
      "Écrivez à bonjour@exemple.fr ou à accueil@mairie.fr avant lundi.",
      "A = {1\u00a0; 2\u00a0; 3}\u00a0; I = [0\u00a0; 10]\u00a0; ~/Documents/école\u00a0; 5 | 10"},
     {"Signes Alt Gr", "@#€{}[]|\\~`"}},
};
// clang-format on

// One row per exercise, and the count that the other parts of the program
// read at compile time follows it.
static_assert(std::size(kExercises) == ExerciseCount);

constexpr bool frenchRowsNameTheirKeys()
{
    for (std::size_t i = 0; i < std::size(kExercises); ++i)
        if ((kExercises[i].keys.characters != nullptr) != (int(i) + 1 >= FirstFrenchExercise))
            return false;
    return true;
}
static_assert(frenchRowsNameTheirKeys());

} // namespace

std::span<const ExerciseText> exercises()
{
    return kExercises;
}

const ExerciseText *exerciseText(std::int32_t code)
{
    if (code < 1 || code > ExerciseCount)
        return nullptr;
    return &kExercises[code - 1];
}

const ExerciseKeys *exerciseKeys(std::int32_t code)
{
    if (code < FirstFrenchExercise || code > ExerciseCount)
        return nullptr;
    return &kExercises[code - 1].keys;
}

} // namespace drills
