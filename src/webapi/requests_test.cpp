#include "webapi/requests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// The command line's answer to words (standard output, or its one error
// line without "quorvale: ").
struct CommandAnswer {
  std::string out;
  std::string error;
};

CommandAnswer command(const std::vector<std::u32string>& words, const std::string& file = {}) {
  StringOutput out;
  std::vector<std::u32string> errors;
  // Every file a command reads holds `file`.
  const FileReader reader = [&](std::string_view, std::size_t, std::string* bytes) {
    *bytes = file;
    return platform::FileRead::Read;
  };
  runCommandLine(words, Language::English, reader, out, errors);
  CommandAnswer answer{out.bytes(), ""};
  for (const std::u32string& line : errors) {
    answer.error +=
        (answer.error.empty() ? "" : "\n") + toUtf8(line).substr(std::string("quorvale: ").size());
  }
  return answer;
}

std::string request(WebRequests& web, const std::vector<std::string>& fields) {
  std::string text;
  for (const std::string& field : fields) {
    text += (text.empty() ? "" : "\n") + field;
  }
  return web.answer(text);
}

std::string errorOf(const std::string& text, const std::string& input) {
  std::string quoted;
  for (const char c : text) {
    quoted += c == '"' ? "\\\"" : std::string(1, c);
  }
  return "{\"error\":\"" + quoted + "\",\"input\":\"" + input + "\"}\n";
}

// The members of each group of a litter's JSON, or of a members answer,
// each member an object on a line of its own.
std::vector<std::vector<std::string>> membersOf(const std::string& json) {
  std::vector<std::vector<std::string>> groups;
  std::size_t at = 0;
  while (at < json.size()) {
    const std::size_t end = json.find('\n', at);
    const std::string line = json.substr(at, end - at);
    at = end == std::string::npos ? json.size() : end + 1;
    if (line.starts_with("{\"line\"") || line.starts_with("{\"total\"")) {
      groups.emplace_back();
    } else if (line.starts_with("{\"genotype\"")) {
      groups.back().push_back(line.substr(0, line.find("}}") + 2));
    }
  }
  return groups;
}

// The "carriers" arrays of a document, in order.
std::vector<std::string> carriersOf(const std::string& json) {
  std::vector<std::string> all;
  for (std::size_t at = json.find("\"carriers\":["); at != std::string::npos;
       at = json.find("\"carriers\":[", at + 1)) {
    all.push_back(json.substr(at, json.find(']', at) + 1 - at));
  }
  return all;
}

const std::string kMale = "EePpAaCdcdUuToY";
const std::string kFemale = "EePpAaCdcdUuToto";

TEST(WebRequests, ErrorsReadAsTheCommandLines) {
  WebRequests web;
  const CommandAnswer male = command({U"--lang", U"ru", U"litter", U"eeXx", U"ee"});
  EXPECT_EQ(request(web, {"litter", "ru", "eeXx", "ee", "8", "text", ""}),
            errorOf(male.error, "male"));
  const CommandAnswer female = command({U"litter", U"ee", U"ToY"});
  EXPECT_EQ(request(web, {"members", "en", "ee", "ToY", "text", "", "0", "0", "10"}),
            errorOf(female.error, "female"));
  // The command line numbers its words: "genotype 1: ", "task number 1: ".
  const CommandAnswer colour = command({U"color", U"Xx"});
  EXPECT_EQ(request(web, {"color", "en", "Xx"}),
            errorOf(colour.error.substr(std::string("genotype 1: ").size()), "genotype"));
  const CommandAnswer task = command({U"task", U"12abc"});
  EXPECT_EQ(request(web, {"task", "en", "12abc", "0"}),
            errorOf(task.error.substr(std::string("task number 1: ").size()), "number"));
  // An empty word is refused before it is parsed.
  const CommandAnswer empty = command({U"--lang", U"ru", U"litter", U"Ee", U" "});
  EXPECT_EQ(request(web, {"litter", "ru", "Ee", " ", "8", "text", ""}),
            errorOf(empty.error, "female"));
  const CommandAnswer no_colour = command({U"color", U""});
  EXPECT_EQ(request(web, {"color", "en", ""}),
            errorOf(no_colour.error.substr(std::string("genotype 1: ").size()), "genotype"));
  const CommandAnswer colours = command({U"colors", U"purple"});
  EXPECT_EQ(request(web, {"colors", "en", "purple"}), errorOf(colours.error, "words"));
  const CommandAnswer line = command({U"--lang", U"ru", U"genotypes", U"Cream"});
  EXPECT_EQ(request(web, {"genotypes", "ru", "Cream"}), errorOf(line.error, "line"));
}

TEST(WebRequests, ALitterSizeFrom1To99) {
  WebRequests web;
  for (const char* bad : {"0", "100", "", "8 ", "-8", "+", "x"}) {
    EXPECT_EQ(request(web, {"litter", "en", "Ee", "Ee", bad, "text", ""}),
              errorOf("not a litter size: a litter size is a whole number from 1 to 99, written in "
                      "digits",
                      "pups"))
        << bad;
  }
  for (const char* good : {"99", "+8"}) {
    EXPECT_EQ(request(web, {"litter", "en", "Ee", "Ee", good, "text", ""}).find("error"),
              std::string::npos);
  }
}

TEST(WebRequests, AnswersAreTheCommandLinesDocuments) {
  WebRequests web;
  struct Case {
    std::vector<std::string> fields;
    std::vector<std::u32string> words;
  };
  const Case cases[] = {
      {{"color", "ru", "eeToY"}, {U"--lang", U"ru", U"--json", U"color", U"eeToY"}},
      {{"task", "en", "-5", "1"}, {U"--json", U"task", U"--no-answer", U"--easy", U"-5"}},
      {{"colors", "ru", "соболь"}, {U"--lang", U"ru", U"--json", U"colors", U"соболь"}},
      {{"genotypes", "en", "SH Sable"}, {U"--json", U"genotypes", U"SH", U"Sable"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(request(web, c.fields), command(c.words).out) << c.fields[0];
  }
}

// A window of members is a slice of the command's members, the carriers
// are the command's; whatever litter was asked for before.
TEST(WebRequests, MembersAndCarriersOfAGroupAsTheCommandLineHasThem) {
  WebRequests web;
  for (const char* sort : {"text", "share"}) {
    const std::u32string order = widenAscii(sort);
    const std::string litter = command({U"--json", U"litter", U"--members", U"--sort", order,
                                        widenAscii(kMale), widenAscii(kFemale)})
                                   .out;
    const std::vector<std::vector<std::string>> all = membersOf(litter);
    const std::vector<std::string> carriers = carriersOf(litter);
    ASSERT_EQ(all.size(), carriers.size());
    for (std::size_t g = 0; g < all.size(); g += 7) {
      // Another litter in between: the answer does not hang on what the
      // core asked for last.
      request(web, {"litter", "en", "Lglg", "Lglg", "8", "text", ""});
      const std::string window =
          request(web, {"members", "en", kMale, kFemale, sort, "", std::to_string(g), "3", "100"});
      const std::vector<std::vector<std::string>> shown = membersOf(window);
      ASSERT_EQ(shown.size(), 1u) << window;
      const std::vector<std::string>& members = all[g];
      const std::vector<std::string> slice(
          members.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(3, members.size())),
          members.begin() +
              static_cast<std::ptrdiff_t>(std::min<std::size_t>(103, members.size())));
      EXPECT_EQ(shown[0], slice) << sort << " group " << g;
      EXPECT_TRUE(window.starts_with("{\"total\":" + std::to_string(members.size()) + ","));
      EXPECT_EQ(
          carriersOf(request(web, {"carriers", "en", kMale, kFemale, sort, "", std::to_string(g)})),
          std::vector<std::string>{carriers[g]});
    }
    EXPECT_EQ(
        request(web, {"carriers", "en", kMale, kFemale, sort, "", std::to_string(all.size())}),
        errorOf("no such group", "request"));
  }
}

// Two Golden siblings of a Cream, and their parents.
const std::string kSiblings =
    "name,sex,coat,father,mother,count\nF1,m,SH Golden,,,\nM1,f,SH Golden,,,\n"
    ",,SH BE Cream,F1,M1,1\nBro,m,SH Golden,F1,M1,\nSis,f,SH Golden,F1,M1,\n";

// A stock's file follows the fields of its request.
std::string stockRequest(WebRequests& web, const std::vector<std::string>& fields,
                         const std::string& file) {
  std::string text;
  for (const std::string& field : fields) {
    text += field + "\n";
  }
  return web.answer(text + file);
}

// The stock's answers are the command line's, the file's text carried by
// the request; its faults are the lines the command line writes.
TEST(WebRequests, AStockAndItsLittersAsTheCommandLineHasThem) {
  WebRequests web;
  EXPECT_EQ(stockRequest(web, {"stock", "ru"}, kSiblings),
            command({U"--lang", U"ru", U"--json", U"stock", U"f.csv"}, kSiblings).out);
  const std::string text = command({U"stock", U"f.csv"}, kSiblings).out;
  EXPECT_TRUE(stockRequest(web, {"stocktext", "en"}, kSiblings)
                  .starts_with("{\"text\":\"" + text.substr(0, text.find('\t')) + "\\t"));
  EXPECT_EQ(stockRequest(web, {"prove", "ru", "Bro"}, kSiblings),
            command({U"--lang", U"ru", U"--json", U"prove", U"f.csv", U"Bro"}, kSiblings).out);
  for (const char* sort : {"text", "share"}) {
    EXPECT_EQ(stockRequest(web, {"stocklitter", "en", "Bro", "Sis", "8", sort}, kSiblings),
              command({U"--json", U"litter", U"--stock", U"f.csv", U"Bro", U"Sis", U"--pups", U"8",
                       U"--sort", widenAscii(sort), U"--carriers", U"--members"},
                      kSiblings)
                  .out);
  }
  // Another file: the kept stock is not the answer's.
  const std::string other = kSiblings + "Kit,f,SH BE Cream,Bro,Sis,\n";
  EXPECT_EQ(stockRequest(web, {"stock", "en"}, other),
            command({U"--json", U"stock", U"f.csv"}, other).out);
  EXPECT_EQ(stockRequest(web, {"stocklitter", "en", "Sis", "Kit", "8", "text"}, other),
            errorOf("the male \"Sis\" is not recorded as one", "male"));
  const std::string faulty = "name,sex,coat\nAnn,x,Sabel\n";
  const std::string lines = command({U"stock", U"f.csv"}, faulty).error;
  EXPECT_EQ(lines.find("f.csv: line 2: the sex"), 0u) << lines;
  const std::string answer = stockRequest(web, {"stock", "en"}, faulty);
  EXPECT_NE(answer.find("\"input\":\"stock\",\"faults\":[\"line 2: the sex"), std::string::npos)
      << answer;
  EXPECT_NE(answer.find("\"line 2: coat: no colour matches: Sabel; did you mean: Sable?\"]}"),
            std::string::npos)
      << answer;
  // Parents known by their coats, in the Litter view.
  EXPECT_EQ(request(web, {"litter", "ru", "SH Black", "SH BE Cream", "8", "share", ""}),
            command({U"--lang", U"ru", U"--json", U"litter", U"--pups", U"8", U"--sort", U"share",
                     U"--carriers", U"--members", U"SH Black", U"SH BE Cream"})
                .out);
  EXPECT_EQ(request(web, {"litter", "en", "Cream", "ee", "8", "text", ""}),
            errorOf(command({U"litter", U"Cream", U"ee"}).error, "male"));
}

// A colour looked for: the groups found and their figures together as the
// command line's --find has them, the members of the groups found, and
// the colour's error at its field.
TEST(WebRequests, TheGroupsOfAColourLookedFor) {
  WebRequests web;
  const std::string litter = command({U"--json", U"litter", U"--members", U"--pups", U"8",
                                      U"--find", U"Black", widenAscii(kMale), widenAscii(kFemale)})
                                 .out;
  const std::string shown = request(web, {"litter", "en", kMale, kFemale, "8", "text", "Black"});
  ASSERT_NE(litter.find("\n\"find\":"), std::string::npos);
  EXPECT_EQ(shown.substr(shown.find("\n\"find\":")), litter.substr(litter.find("\n\"find\":")));
  const std::vector<std::vector<std::string>> all = membersOf(litter);
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(membersOf(request(
                web, {"members", "en", kMale, kFemale, "text", "Black", "1", "0", "100000"})),
            std::vector<std::vector<std::string>>{all[1]});
  const CommandAnswer misspelt = command({U"litter", U"--find", U"Sabel", U"Ee", U"Ee"});
  EXPECT_EQ(request(web, {"litter", "en", "Ee", "Ee", "8", "text", "Sabel"}),
            errorOf(misspelt.error.substr(std::string("--find: ").size()), "find"));
  // Parents known by their coats.
  EXPECT_EQ(
      request(web, {"litter", "en", "SH Black", "SH Black Tortoiseshell", "8", "text", "Black"}),
      command({U"--json", U"litter", U"--pups", U"8", U"--carriers", U"--members", U"--find",
               U"Black", U"SH Black", U"SH Black Tortoiseshell"})
          .out);
}

}  // namespace
}  // namespace quorvale
