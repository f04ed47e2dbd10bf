#include "stock/csv.h"

#include <algorithm>
#include <array>

#include "text/utf8.h"

namespace quorvale {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether the bytes look like UTF-16: its byte-order mark, or the NUL byte
// that every ASCII character has beside it.
bool looksLikeUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return true;
  }
  return bytes.size() >= 2 && (bytes[0] == '\0' || bytes[1] == '\0');
}

// The separator of the records: the most frequent of ';', TAB and ',' that
// stands outside quotes in the first record; ',' when none does.
char separatorOf(std::string_view bytes) {
  constexpr std::array<char, 3> kCandidates = {';', '\t', ','};
  std::array<int, 3> seen{};
  bool quoted = false;
  for (const char c : bytes) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted) {
      for (std::size_t i = 0; i < kCandidates.size(); ++i) {
        seen[i] += c == kCandidates[i] ? 1 : 0;
      }
    }
  }
  const auto most = std::max_element(seen.begin(), seen.end());
  return *most == 0 ? ',' : kCandidates[static_cast<std::size_t>(most - seen.begin())];
}

}  // namespace

CsvTable readCsv(std::string_view bytes) {
  CsvTable table;
  if (looksLikeUtf16(bytes)) {
    table.fault = CsvFault::Utf16;
    return table;
  }
  if (bytes.starts_with(kByteOrderMark)) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  // Every byte must be UTF-8: a spreadsheet that saved Windows-1251 would
  // otherwise give names nobody can type.
  int line = 1;
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t c = 0;
    const std::size_t used = decodeUtf8At(bytes, at, /*more_may_follow=*/false, &c);
    if (c == kReplacementCharacter && bytes.substr(at, used) != "\xEF\xBF\xBD") {
      table.fault = CsvFault::NotUtf8;
      table.fault_line = line;
      return table;
    }
    line += c == U'\n' ? 1 : 0;
    at += used;
  }

  const char separator = separatorOf(bytes);
  CsvRecord record;
  std::string field;
  bool quoted = false;    // inside a quoted field
  bool had_text = false;  // the record has a character or quotes so far
  int quote_line = 0;
  line = 1;
  record.line = 1;
  const auto end_field = [&] {
    record.fields.push_back(fromUtf8(field));
    field.clear();
  };
  const auto end_record = [&] {
    end_field();
    if (had_text) {
      table.records.push_back(std::move(record));
    }
    record = CsvRecord{};
    record.line = line;
    had_text = false;
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (quoted) {
      if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
        line += c == '\n' ? 1 : 0;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      had_text = true;
      quote_line = line;
    } else if (c == separator) {
      end_field();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
      ++line;
      end_record();
    } else {
      field += c;
      had_text = had_text || (c != ' ' && c != '\t');
    }
  }
  if (quoted) {
    table.fault = CsvFault::UnclosedQuote;
    table.fault_line = quote_line;
    table.records.clear();
    return table;
  }
  end_record();
  if (table.records.empty()) {
    table.fault = CsvFault::Empty;
  }
  return table;
}

}  // namespace quorvale
