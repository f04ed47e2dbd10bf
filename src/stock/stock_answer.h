#ifndef QUORVALE_STOCK_STOCK_ANSWER_H_
#define QUORVALE_STOCK_STOCK_ANSWER_H_

#include <cstddef>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "stock/inference.h"
#include "stock/stock.h"
#include "text/exact.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// What a stock file says of its animals' genes, decided (from the weights
// of stock/inference.h) and written for the breeder.

// One state of a gene that an animal may have.
struct StateAnswer {
  int state = 0;
  // A chance, or only possible: through more unseen mutant alleles than the
  // file needs, `extra` of them.
  bool possible = false;
  Ratio chance;  // in lowest terms, when not possible
  int extra = 0;
};

// The states an animal may have at one gene: those with a chance, largest
// first (ties in the order of the states), then the possible ones, fewest
// extra alleles first.
struct GeneAnswer {
  GeneIndex gene = 0;
  std::vector<StateAnswer> states;
  // The one state with a chance has it for certain, every other excluded.
  bool proved() const { return states.size() == 1; }
};

struct AnimalAnswer {
  std::size_t animal = 0;  // its place in the stock
  // The genes shown: those where a mutant state has a chance, and those
  // found in the stock (some animal has a mutant state of it with a
  // chance) where one is possible. Every other gene is wild as far as the
  // file tells: at most possible through genes nobody in it is known to
  // have.
  std::vector<GeneAnswer> genes;
};

// The states of one gene from its weights.
// REQUIRES: some state weighs more than zero.
GeneAnswer geneAnswer(GeneIndex g, const StockModel::Weights& weights);

// The answers for the named animals of the stock, in file order, or for
// those at `chosen` (places in the stock) in that order.
std::vector<AnimalAnswer> stockAnswers(const Stock& stock,
                                       const std::vector<StockModel::Weights>& weights,
                                       const std::vector<std::size_t>& chosen);

// How a state is worded for an animal, as the carrier line words what it
// decides: "none", "carries" (one copy of a recessive), "shows" (the coat
// shows it), "hidden" (another gene covers it), "one copy" and "two
// copies" (of a dominant gene, or where the coat is not known), and
// "hidden, one copy" for a female's single Yellow under a coat that hides
// it.
std::u32string stateWord(const StockAnimal& animal, GeneIndex g, int state, Language language);

// A parent's state as a condition of a young it could have: "the male
// carries Cream", "the female has Umbrous hidden", "у самца две копии
// белого пояса".
std::u32string conditionText(const StockAnimal& parent, bool male, GeneIndex g, int state,
                             Language language);

// A chance as the answer writes it: "2/3 (66.7 %)", or the percent alone
// for a fraction whose parts have more than 12 digits.
void appendChance(const Ratio& chance, Language language, std::u32string& out);

// An animal's line: its name, sex and coat parted by tabs, "sex not
// recorded" and "coat not recorded" where the file says nothing.
std::u32string animalLine(const StockAnimal& animal, Language language);

// The answer as text: for each animal its name, sex and coat parted by
// tabs, then a line for each gene shown: a tab, the gene, and a tab before
// each state: "carries 2/3 (66.7 %)", "carries 1 (proved)", "shows 1 (not
// proved)" when another state is possible, "carries: possible"; a gene
// whose only state with a chance is none is listed by its possible states
// alone ("Black	carries: possible"). A fraction whose parts have more than
// 12 digits is written by its percent alone.
void writeStockText(const Stock& stock, const std::vector<AnimalAnswer>& answers, Language language,
                    Output& out);

// The answer as JSON:
//
//   {"animals": [{"name", "sex": "male"|"female"|null,
//                 "coat": LINE|null, "english_coat": LINE|null,
//                 "genes": [{"gene", "name", "pairs": [PAIR...]}...]}...]}
//
// with the genes writeStockText shows, each with every pair the animal may
// have: {"pair": "Ee" (as the notation writes it, "EE" and "uu" too),
// "state": "carries" (the state's word in the answer's language),
// "chance": CHANCE, "possible": false, "proved"} for a pair with a chance,
// CHANCE in the one form of every chance ({"numerator", "denominator",
// "value"}), proved when it is 1 and every other pair is excluded; and
// {"pair", "state", "chance": 0, "possible": true, "proved": false} for a
// pair that is only possible. The pairs come as the text lists the states.
void writeStockJson(const Stock& stock, const std::vector<AnimalAnswer>& answers, Language language,
                    Output& out);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_ANSWER_H_
