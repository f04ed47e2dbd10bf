#include "text/phrases.h"

namespace quorvale {

namespace {

// Rows by Language (English, Russian), columns by PhraseId.
constexpr std::u32string_view kPhrases[LanguageCount][PhraseCount] = {
    {
        U"male genotype: ",                                                    // MaleGenotypeRole
        U"female genotype: ",                                                  // FemaleGenotypeRole
        U"genotype ",                                                          // GenotypeRole
        U"task number ",                                                       // TaskNumberRole
        U"not a task number: ",                                                // NotATaskNumber
        U"; a task number is a whole number other than 0, written in digits",  // TaskNumberRule
        U"not a litter size: a litter size is a whole number from 1 to 99, written in digits",
        U" of the born",                                               // OfTheBorn
        U"at least one in ",                                           // AtLeastOneIn
        U"expected in ",                                               // ExpectedIn
        U" of the young are lethal (",                                 // LethalShare
        U"): the litter is that much smaller",                         // LitterSmaller
        U"genes of ",                                                  // GenesOf
        U"no mutant genes",                                            // NoMutantGenes
        U"may also have hidden ",                                      // MayHide
        U"may also carry genes of ",                                   // MayCarry
        U"no colour matches: ",                                        // NoColourMatches
        U"; the colours are listed by: quorvale colors",               // ListOfColours
        U"; try: quorvale genotypes ",                                 // TryGenotypes
        U"may also have two copies of ",                               // MayDouble
        U"; did you mean: ",                                           // DidYouMean
        U" or ",                                                       // OrSeparator
        U"several colours match: ",                                    // SeveralColoursMatch
        U"the genotype is empty; the all-wild hamster is written --",  // EmptyGenotype
        U"): no young are born",                                       // NoYoungBorn
        U"all of them together",                                       // AllOfThemTogether
        U"no young of this pairing are ",                              // NoYoungOfColour
    },
    {
        U"генотип самца: ",                                            // MaleGenotypeRole
        U"генотип самки: ",                                            // FemaleGenotypeRole
        U"генотип ",                                                   // GenotypeRole
        U"номер задачи ",                                              // TaskNumberRole
        U"это не номер задачи: ",                                      // NotATaskNumber
        U"; номер задачи - целое число, кроме 0, записанное цифрами",  // TaskNumberRule
        U"это не размер помета: размер помета - целое число от 1 до 99, записанное цифрами",
        U" от родившихся",                                               // OfTheBorn
        U"хотя бы один из ",                                             // AtLeastOneIn
        U"в среднем из ",                                                // ExpectedIn
        U" потомства нежизнеспособно (",                                 // LethalShare
        U"): помет настолько меньше",                                    // LitterSmaller
        U"гены ",                                                        // GenesOf
        U"без мутантных генов",                                          // NoMutantGenes
        U"может быть также перекрыто проявление ",                       // MayHide
        U"может также носить гены ",                                     // MayCarry
        U"нет такого окраса: ",                                          // NoColourMatches
        U"; список окрасов: quorvale colors",                            // ListOfColours
        U"; попробуйте: quorvale genotypes ",                            // TryGenotypes
        U"может также иметь две копии ",                                 // MayDouble
        U"; возможно, имелось в виду: ",                                 // DidYouMean
        U" или ",                                                        // OrSeparator
        U"подходит несколько окрасов: ",                                 // SeveralColoursMatch
        U"генотип пуст; хомяк без мутантных генов записывается как --",  // EmptyGenotype
        U"): ни один детеныш не родится",                                // NoYoungBorn
        U"все они вместе",                                               // AllOfThemTogether
        U"среди потомства этой пары нет окраса: ",                       // NoYoungOfColour
    },
};

}  // namespace

std::u32string_view phraseText(PhraseId id, Language language) {
  return kPhrases[static_cast<int>(language)][static_cast<int>(id)];
}

}  // namespace quorvale
