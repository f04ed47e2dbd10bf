#include "text/messages.h"

namespace quorvale {

namespace {

// Rows by Language (English, Russian), columns by MessageId.
constexpr std::u32string_view kMessages[LanguageCount][MessageCount] = {
    {
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one message, split to fit.
        U"\nOptions: 1 - color from genotype, 2 - predict litter,\n3 - random task, 4 - easy "
        U"random task, 5 - exit.  ",                                    // 0 MenuPrompt
        U"\nCan't parse the following part of genotype: ",              // 1 CannotParse
        U"Input the genotype:  ",                                       // 2 GenotypePrompt
        U"\nError: second sequence corresponding to the same gene: ",   // 3 RepeatedGene
        U"Input the genotype of the male hamster:  ",                   // 4 MalePrompt
        U"Input the genotype of the female hamster:  ",                 // 5 FemalePrompt
        U"\nMale: ",                                                    // 6 MaleLabel
        U"Female: ",                                                    // 7 FemaleLabel
        U"Litter: ",                                                    // 8 LitterLabel
        U"Input the task number:   ",                                   // 9 TaskNumberPrompt
        U"Press any key to see the answer: ",                           // 10 PressAnyKey
        U"carries genes of ",                                           // 11 CarriesGenesOf
        U" and ",                                                       // 12 AndSeparator
        U"Undesirable combination of genes: ",                          // 13 UndesirableCombination
        U"Undesirable genes for mating: ",                              // 14 UndesirableForMating
        U"Double Satin",                                                // 15 DoubleSatin
        U"Satin & Satin",                                               // 16 SatinAndSatin
        U"\nError: Y chromosome cannot be present in female genotype",  // 17 YInFemale
        U"\nError: only one 'To' or 'to' gene can be present in male genotype",  // 18 OneToInMale
        U"Yellow diluted by Cream",                     // 19 YellowDilutedByCream
        U"mixing Yellow with Cream",                    // 20 MixingYellowWithCream
        U", male",                                      // 21 MaleSuffix
        U", female",                                    // 22 FemaleSuffix
        U"hidden ",                                     // 23 Hidden
        U"homozygous Light Grey",                       // 24 HomozygousLightGrey
        U"homozygous Dominant Spot",                    // 25 HomozygousDominantSpot
        U"different Greys mixed",                       // 26 DifferentGreysMixed
        U"Light Grey & Light Grey",                     // 27 LightGreyAndLightGrey
        U"Dominant Spot & Dominant Spot",               // 28 DominantSpotAndDominantSpot
        U"mixing different Greys ",                     // 29 MixingDifferentGreys
        U"\nDid you skip one of the genes in a pair?",  // 30 SkippedGeneHint
    },
    {
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one message, split to fit.
        U"\nВыберите: 1 - окрас по генотипу, 2 - окрасы потомства,\n 3 - задача, 4 - легкая "
        U"задача, 5 - выход.   ",                                  // 0 MenuPrompt
        U"\nНе поддается расшифровке следующая часть генотипа: ",  // 1 CannotParse
        U"Введите генотип:  ",                                     // 2 GenotypePrompt
        U"\nОшибка: код, соответствующий одним и тем же генам, встречается второй раз: ",  // 3
                                                                                           // RepeatedGene
        U"Введите генотип самца:  ",                        // 4 MalePrompt
        U"Введите генотип самки:  ",                        // 5 FemalePrompt
        U"\nОкрас самца: ",                                 // 6 MaleLabel
        U"Окрас самки: ",                                   // 7 FemaleLabel
        U"Окрасы потомства: ",                              // 8 LitterLabel
        U"Введите номер задачи:   ",                        // 9 TaskNumberPrompt
        U"Нажмите любую клавишу, чтобы увидеть ответ:   ",  // 10 PressAnyKey
        U"носит гены ",                                     // 11 CarriesGenesOf
        U" и ",                                             // 12 AndSeparator
        U"Нежелательное сочетание ген: ",                   // 13 UndesirableCombination
        U"Нежелательное сочетание ген для вязки: ",         // 14 UndesirableForMating
        U"двойной атласный",                                // 15 DoubleSatin
        U"атласный и атласный",                             // 16 SatinAndSatin
        U"\nОшибка: Y-хромосома в генотипе самки",          // 17 YInFemale
        U"\nОшибка: в генотипе самца может присутствовать только один ген To (или to)",  // 18
                                                                                         // OneToInMale
        U"желтый разбавлен кремовым",                 // 19 YellowDilutedByCream
        U"смешивание желтого и кремового",            // 20 MixingYellowWithCream
        U", самец",                                   // 21 MaleSuffix
        U", самка",                                   // 22 FemaleSuffix
        U"перекрыто проявление ",                     // 23 Hidden
        U"гомозиготный светло-серый",                 // 24 HomozygousLightGrey
        U"гомозиготный пятнистый",                    // 25 HomozygousDominantSpot
        U"смешаны разные серые",                      // 26 DifferentGreysMixed
        U"светло-серый и светло-серый",               // 27 LightGreyAndLightGrey
        U"пятнистый и пятнистый",                     // 28 DominantSpotAndDominantSpot
        U"смешивание разных серых",                   // 29 MixingDifferentGreys
        U"\nВозможно, пропущен второй из пары ген?",  // 30 SkippedGeneHint
    },
};

// Rows by Language, columns by GeneIndex.
constexpr std::u32string_view kGeneNames[LanguageCount][GeneCount] = {
    {
        U"Cream",              // e
        U"Dark Grey",          // dg
        U"Cinnamon",           // p
        U"Black",              // a
        U"DE White",           // cd
        U"Recessive Dappled",  // rd
        U"Long Hair",          // l
        U"Umbrous",            // u
        U"Banded",             // ba
        U"Satin",              // sa
        U"Silver Grey",        // sg
        U"Light Grey",         // lg
        U"Dominant Spot",      // ds
        U"Yellow",             // to
    },
    {
        U"кремового",        // e
        U"темно-серого",     // dg
        U"коричного",        // p
        U"черного",          // a
        U"белого ТУ",        // cd
        U"пестрого",         // rd
        U"длинношерстного",  // l
        U"копченого",        // u
        U"белого пояса",     // ba
        U"атласного",        // sa
        U"серебристого",     // sg
        U"светло-серого",    // lg
        U"пятнистого",       // ds
        U"желтого",          // to
    },
};

// The Russian names as they stand alone, in the nominative; the English
// ones are the same in both places.
constexpr std::u32string_view kRussianGeneTitles[GeneCount] = {
    U"кремовый",        // e
    U"темно-серый",     // dg
    U"коричный",        // p
    U"черный",          // a
    U"белый ТУ",        // cd
    U"пестрый",         // rd
    U"длинношерстный",  // l
    U"копченый",        // u
    U"белый пояс",      // ba
    U"атласный",        // sa
    U"серебристый",     // sg
    U"светло-серый",    // lg
    U"пятнистый",       // ds
    U"желтый",          // to
};

}  // namespace

std::u32string_view messageText(MessageId id, Language language) {
  return kMessages[static_cast<int>(language)][static_cast<int>(id)];
}

std::u32string_view geneName(GeneIndex g, Language language) {
  return kGeneNames[static_cast<int>(language)][g];
}

std::u32string_view geneTitle(GeneIndex g, Language language) {
  return language == Language::Russian ? kRussianGeneTitles[g] : geneName(g, language);
}

}  // namespace quorvale
