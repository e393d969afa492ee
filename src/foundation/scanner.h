#pragma once

// The tokenizer every text format is read with. It turns a character stream
// into tokens of six kinds and keeps a ring of token slots, so that a reader can
// look a few tokens ahead without consuming them.
//
//   ScannerBase                 the input, the current character, the line count
//   ScannerMemo                 the look-ahead ring (N slots of L characters)
//   CommonScanner<ScannerMemo>  comment forms, number syntax, identifier classes
//   CScanner<ScannerMemo>       base of the geometry, scene and expression readers
//   PrologScanner<ScannerMemo>  base of the Prolog reader
//
// Most readers start from one of the configurations at the end of this file:
//
//   CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
//   s.Next();                       // stand on the first token
//   while (s.Kind() != zavo::kTokenError) { ... s.Text() ... s.TokenLine() ... s.Next(); }
//   if (s.TokenCut()) ...           // "Token too long" at s.TokenLine()
//
// Scanning allocates nothing per token: InitMemo allocates the ring once, and
// every slot keeps its token's kind, text, start line and cut mark.

#include <cstdint>
#include <iosfwd>
#include <istream>
#include <memory>
#include <string>

#include "foundation/char_class_table.h"
#include "foundation/runtime_error_box.h"
#include "foundation/string_buffer.h"

namespace zavo {

// Token kinds. The end of the input is a token of kind kTokenError with empty text.
enum TokenKind : int {
  kTokenLogicError = -1,  // "logic_error": never produced by scanning
  kTokenError = 0,        // "error": end of the input
  kTokenIdentifier = 1,   // "identifier"
  kTokenSpecial = 2,      // "special": one character that begins nothing else, or a lone sign
  kTokenInteger = 3,      // "number_integer"
  kTokenFloat = 4,        // "number_float"
  kTokenScient = 5,       // "number_scient"
};

}  // namespace zavo

class ScannerBase {
public:
  // Starts at line 0 and reads the first character at once (a line feed counts).
  // The stream is not owned and must outlive the scanner.
  explicit ScannerBase(std::istream& input);
  virtual ~ScannerBase();
  ScannerBase(const ScannerBase&) = delete;
  ScannerBase& operator=(const ScannerBase&) = delete;

  // Scans one token from the input into the token buffer and sets the kind.
  virtual void ScanToken() = 0;

  // Kind of the token in view (zavo::TokenKind).
  int Kind() const { return kind_; }
  // "error", "identifier", ... for the kind in view; null for any other value.
  const char* KindName() const { return KindName(kind_); }
  static const char* KindName(int kind);
  // 2 once the input ended inside a comment; 0 otherwise.
  int ErrorCode() const { return errorCode_; }
  // Line feeds read so far (the cursor is on line Line() + 1). After looking
  // ahead this is beyond the token in view: error reports use TokenLine().
  int Line() const { return line_; }
  // The token buffer; Get() gives the text of the token in view.
  const StringBuffer& Token() const { return token_; }
  // The input stream (not owned).
  std::istream& InputStream() const { return *input_; }
  // The one-character look-ahead: the character after the last one scanned
  // (0..255), or -1 at the end of the input.
  int LookAhead() const { return current_; }

protected:
  // Makes the next character of the input the current one (-1 at the end).
  void Read() {
    if (current_ < 0) return;  // the end of the input stays the end
    int c = source_ ? source_->sbumpc() : std::char_traits<char>::eof();
    if (c == std::char_traits<char>::eof()) {
      current_ = -1;
      return;
    }
    current_ = c;
    if (c == '\n') ++line_;
  }
  // The character after the current one, without reading it (-1 at the end).
  int Peek() const {
    if (current_ < 0 || !source_) return -1;
    int c = source_->sgetc();
    return c == std::char_traits<char>::eof() ? -1 : c;
  }
  // Appends a character to the token; one that does not fit marks the token as cut.
  void Append(int c) {
    if (token_.Length() == token_.Capacity()) scanCut_ = true;
    token_.Add(static_cast<char>(c));
  }

  int kind_ = zavo::kTokenError;
  StringBuffer token_;
  int errorCode_ = 0;
  std::istream* input_;
  std::streambuf* source_;
  int current_ = 0;  // 0..255, or -1 at the end of the input
  int line_ = 0;
  // The token being scanned: the line it starts on (1-based) and whether
  // characters were dropped from it. ScanToken sets both; the ring keeps them.
  int scanLine_ = 0;
  bool scanCut_ = false;
};

class ScannerMemo : public ScannerBase {
public:
  explicit ScannerMemo(std::istream& input);
  ~ScannerMemo() override;

  // Allocates a ring of N slots for tokens of up to L characters (releasing an
  // earlier ring), empties it and attaches the token buffer to slot 0, open.
  // Call once after construction, then Next to stand on the first token.
  void InitMemo(int slots, int length);
  // Moves to the next token: scans it, or takes the one already scanned ahead.
  // "Next" in the internal-error box before InitMemo.
  void Next();
  // Brings the token n places ahead of the current one into view without
  // consuming anything (n = 0: the current token again). Returns 0 and changes
  // nothing when n is not in 0..N-1, else 1. "Adv" before InitMemo.
  int Adv(int n);
  // Calls Next, then writes "<kind name>   <text>" and a line break per token
  // until the end of the input, then one more line break.
  void Dump(std::ostream& os);

  // The text of the token in view.
  const char* Text() const { return currentText_; }
  // The line (1-based) on which the token in view starts.
  int TokenLine() const;
  // True when the token in view was longer than L characters: its text keeps
  // the first L, and the input was consumed up to its real end.
  bool TokenCut() const;
  // Reads raw characters, of any number: the look-ahead first, then the input,
  // up to the stop character, which is consumed but not stored; every line
  // feed read raises the line counter. The next token is scanned from the
  // character after the stop. 1 when the stop was found; 0 when the input
  // ended first (text holds what was read). Only the token in view may have
  // been scanned: "ReadRaw" in the internal-error box when the reader looked
  // further ahead (those characters are gone).
  int ReadRaw(char stop, std::string& text);

  int Slots() const { return slots_; }
  int TokenLength() const { return tokenLength_; }

protected:
  // A slot: kind byte, cut byte, start line (4 bytes), then L characters and the terminator.
  static constexpr int kSlotHeader = 6;
  unsigned char* Slot(int i) const {
    return ring_.get() + static_cast<std::size_t>(i) * (kSlotHeader + tokenLength_ + 1);
  }
  char* SlotText(int i) const { return reinterpret_cast<char*>(Slot(i) + kSlotHeader); }
  void ScanInto(int slot);
  void View(int slot);

  int slots_ = 0;
  int tokenLength_ = 0;
  int currentSlot_ = 0;
  int lastSlot_ = 0;
  int viewSlot_ = 0;
  std::unique_ptr<unsigned char[]> ring_;
  const char* currentText_ = "";
};

// The configurable scanner: two comment forms, a number syntax and identifier
// classes taken from a character-class table.
//
// Comment delimiters are given as characters: opener first and second, closer
// first and second. A second character 0 makes a one-character delimiter; an
// opener whose first character is 0 switches that comment form off. Comment 1
// is tried before comment 2. A comment that the input ends sets ErrorCode() 2.
//
// Number modes: 0 no numbers; 1 signed integer; 2 unsigned integer or decimal;
// 3 as 2 with an exponent; -2 and -3 as 2 and 3 with an optional sign; -1 (and
// any other value) is "Not allowed" in the internal-error box at the next scan.
// An exponent letter without a valid exponent after it ends the token after
// the "E" ("7e" gives "7E"): such a token is a special, so no reader takes it
// for a number. In mode 1 an unsigned digit run is a number_integer.
template <class Memo>
class CommonScanner : public Memo {
public:
  CommonScanner(std::istream& input, char comment1Open1, char comment1Open2, char comment1Close1,
                char comment1Close2, char comment2Open1, char comment2Open2, char comment2Close1,
                char comment2Close2, int identifierClasses, const unsigned char* classTable,
                int numberMode);

  void ScanToken() override;

  int NumberMode() const { return numberMode_; }
  void SetNumberMode(int mode) { numberMode_ = mode; }
  // When on, a token longer than L characters ends the input: it comes back as
  // kind "error" with empty text, carrying the cut mark and its start line, and
  // every later token is the same. When off (the default) the token keeps its
  // first L characters and the cut mark.
  bool CutEndsInput() const { return cutEndsInput_; }
  void SetCutEndsInput(bool on) { cutEndsInput_ = on; }
  // When on, a "." after the digits of a number that is followed by white
  // space, "%" or the end of the input is not part of the number: it stays a
  // token of its own, the full stop of a Prolog clause ("X > 1." reads as X,
  // ">", "1" and "."). When off (the default) a "." after digits always
  // belongs to the number.
  bool DotEndsClause() const { return dotEndsClause_; }
  void SetDotEndsClause(bool on) { dotEndsClause_ = on; }

protected:
  bool StartsComment(const char* delimiters);
  void SkipComment(const char* delimiters);
  void SkipBlanksAndComments();
  bool ScanNumber();
  bool ScanSignedInteger();
  void ScanDigits();
  bool ScanIdentifier();

  static bool IsDigit(int c) { return c >= '0' && c <= '9'; }
  // White space, "%" or the end of the input (-1): what may follow a full stop.
  static bool EndsClause(int c) {
    return c < 0 || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' ||
           c == '%';
  }

  char comment1_[4];  // opener first, second; closer first, second
  char comment2_[4];
  int numberMode_;
  CharClassTable classTable_;
  int identifierClasses_;
  bool cutEndsInput_ = false;
  bool dotEndsClause_ = false;
  bool ended_ = false;  // a cut token ended the input
  int endedLine_ = 0;
};

// An empty mixin of the reader classes.
class ScannerData {};

namespace zavo {

// One tokenizer configuration: comments, identifier classes, number syntax,
// ring size and what a cut token means.
struct ScannerConfig {
  char comment1[4];  // opener first, second; closer first, second
  char comment2[4];
  int identifierClasses;
  const unsigned char* classTable;
  int numberMode;  // the mode in force from the first token on
  int slots;       // ring size N
  int tokenLength; // L
  bool cutEndsInput;
};

// Scene file, pbrep, hierarchy files and caches, model side files, dialogs:
// "/*" "*/" and "//" to the line feed, signed numbers with exponent, 2 slots of
// 256 characters, and a token that does not fit ends the input.
inline constexpr ScannerConfig kStandardScannerConfig = {
    {'/', '*', '*', '/'}, {'/', '/', '\n', 0}, 1, kIdentifierClassTable, -3, 2, 256, true};
// The expression evaluator: as the standard readers with unsigned numbers, 10 slots of 100.
inline constexpr ScannerConfig kExpressionScannerConfig = {
    {'/', '*', '*', '/'}, {'/', '/', '\n', 0}, 1, kIdentifierClassTable, 3, 10, 100, false};
// The Prolog reader consulting a file: "%" to the line feed and "/*" "*/", the
// operator table with two identifier classes, unsigned numbers, 10 slots of 100.
inline constexpr ScannerConfig kPrologFileScannerConfig = {
    {'%', 0, '\n', 0}, {'/', '*', '*', '/'}, 2, kOperatorClassTable, 3, 10, 100, false};
// The Prolog reader on a typed goal: as for files, with 2 slots of 50.
inline constexpr ScannerConfig kPrologGoalScannerConfig = {
    {'%', 0, '\n', 0}, {'/', '*', '*', '/'}, 2, kOperatorClassTable, 3, 2, 50, false};

}  // namespace zavo

template <class Memo>
class CScanner : public CommonScanner<Memo>, public ScannerData {
public:
  using CommonScanner<Memo>::CommonScanner;
  // Constructs with number mode 3, as every reader does, allocates the ring,
  // then sets the configuration's number mode and cut rule. Call Next next.
  CScanner(std::istream& input, const zavo::ScannerConfig& config);
};

template <class Memo>
class PrologScanner : public CommonScanner<Memo>, public ScannerData {
public:
  using CommonScanner<Memo>::CommonScanner;
  // As for CScanner.
  PrologScanner(std::istream& input, const zavo::ScannerConfig& config);
};

// ---------------------------------------------------------------------------

template <class Memo>
CommonScanner<Memo>::CommonScanner(std::istream& input, char comment1Open1, char comment1Open2,
                                   char comment1Close1, char comment1Close2, char comment2Open1,
                                   char comment2Open2, char comment2Close1, char comment2Close2,
                                   int identifierClasses, const unsigned char* classTable,
                                   int numberMode)
    : Memo(input),
      comment1_{comment1Open1, comment1Open2, comment1Close1, comment1Close2},
      comment2_{comment2Open1, comment2Open2, comment2Close1, comment2Close2},
      numberMode_(numberMode),
      classTable_(classTable),
      identifierClasses_(!classTable || identifierClasses < 0 ? 0
                         : (identifierClasses > 4 ? 4 : identifierClasses)) {}

template <class Memo>
void CommonScanner<Memo>::ScanToken() {
  switch (numberMode_) {
    case 0: case 1: case 2: case 3: case -2: case -3: break;
    default: RuntimeErrorBox("Not allowed");
  }
  this->token_.Free();
  this->scanCut_ = false;
  if (ended_) {
    this->kind_ = zavo::kTokenError;
    this->scanCut_ = true;
    this->scanLine_ = endedLine_;
    this->token_.Close();
    return;
  }
  SkipBlanksAndComments();
  this->scanLine_ = this->line_ + 1;
  if (this->current_ < 0) {
    this->kind_ = zavo::kTokenError;
  } else if (!(numberMode_ != 0 && ScanNumber()) && !ScanIdentifier()) {
    this->Append(this->current_);
    this->Read();
    this->kind_ = zavo::kTokenSpecial;
  }
  if (this->scanCut_ && cutEndsInput_) {
    ended_ = true;
    endedLine_ = this->scanLine_;
    this->kind_ = zavo::kTokenError;
    this->token_.Free();
  }
  this->token_.Close();
}

template <class Memo>
bool CommonScanner<Memo>::StartsComment(const char* d) {
  const int open1 = static_cast<unsigned char>(d[0]);
  const int open2 = static_cast<unsigned char>(d[1]);
  if (open1 == 0 || this->current_ != open1) return false;
  if (open2 == 0) {
    this->Read();
    return true;
  }
  if (this->Peek() != open2) return false;
  this->Read();
  this->Read();
  return true;
}

template <class Memo>
void CommonScanner<Memo>::SkipComment(const char* d) {
  const int close1 = static_cast<unsigned char>(d[2]);
  const int close2 = static_cast<unsigned char>(d[3]);
  for (;;) {
    if (this->current_ == close1 && (close2 == 0 || this->Peek() == close2)) {
      if (close2 != 0) this->Read();
      break;
    }
    this->Read();
    if (this->current_ < 0) {
      this->errorCode_ = 2;
      return;
    }
  }
  this->Read();
}

template <class Memo>
void CommonScanner<Memo>::SkipBlanksAndComments() {
  for (;;) {
    for (int c = this->current_;
         c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
         c = this->current_) {
      this->Read();
    }
    // Most tokens begin with no comment opener at all.
    if (this->current_ != static_cast<unsigned char>(comment1_[0]) &&
        this->current_ != static_cast<unsigned char>(comment2_[0])) {
      return;
    }
    if (StartsComment(comment1_)) {
      SkipComment(comment1_);
    } else if (StartsComment(comment2_)) {
      SkipComment(comment2_);
    } else {
      return;
    }
  }
}

template <class Memo>
void CommonScanner<Memo>::ScanDigits() {
  while (IsDigit(this->current_)) {
    this->Append(this->current_);
    this->Read();
  }
}

template <class Memo>
bool CommonScanner<Memo>::ScanSignedInteger() {
  const int c = this->current_;
  if (c == '+' || c == '-') {
    if (!IsDigit(this->Peek())) return false;
    this->Append(c);
    this->Read();
  } else if (!IsDigit(c)) {
    return false;
  }
  ScanDigits();
  return true;
}

template <class Memo>
bool CommonScanner<Memo>::ScanNumber() {
  const int mode = numberMode_;
  if (mode == 1) {
    if (!ScanSignedInteger()) return false;
    this->kind_ = zavo::kTokenInteger;
    return true;
  }
  if (mode < 0 && (this->current_ == '+' || this->current_ == '-')) {
    const int next = this->Peek();
    if (IsDigit(next) || next == '.') {
      this->Append(this->current_);
      this->Read();
      if (this->current_ == '.' && !IsDigit(this->Peek())) {
        // "-." not followed by a digit: the sign alone; "." stays in the input.
        this->kind_ = zavo::kTokenSpecial;
        return true;
      }
    }
  }
  if (this->current_ != '.') {
    if (!IsDigit(this->current_)) return false;
    ScanDigits();
    this->kind_ = zavo::kTokenInteger;
    if (this->current_ == '.' && !(dotEndsClause_ && EndsClause(this->Peek()))) {
      this->Append('.');
      this->Read();
      ScanDigits();
      this->kind_ = zavo::kTokenFloat;
    }
  } else {
    if (!IsDigit(this->Peek())) return false;
    this->Append('.');
    this->Read();
    ScanDigits();
    this->kind_ = zavo::kTokenFloat;
  }
  if ((mode == 3 || mode == -3) && (this->current_ == 'E' || this->current_ == 'e')) {
    this->Append('E');
    this->Read();
    this->kind_ = ScanSignedInteger() ? zavo::kTokenScient : zavo::kTokenSpecial;
  }
  return true;
}

template <class Memo>
bool CommonScanner<Memo>::ScanIdentifier() {
  const int c = this->current_;
  if (c < 0) return false;
  for (int k = 0; k < identifierClasses_; ++k) {
    const unsigned start = 1u << (2 * k);
    const unsigned rest = start << 1;
    if (!(classTable_[static_cast<unsigned char>(c)] & start)) continue;
    do {
      this->Append(this->current_);
      this->Read();
    } while (this->current_ >= 0 && (classTable_[static_cast<unsigned char>(this->current_)] & rest));
    this->kind_ = zavo::kTokenIdentifier;
    return true;
  }
  return false;
}

namespace zavo::detail {
template <class Scanner>
void ApplyScannerConfig(Scanner& s, const ScannerConfig& config) {
  s.InitMemo(config.slots, config.tokenLength);
  s.SetNumberMode(config.numberMode);
  s.SetCutEndsInput(config.cutEndsInput);
}
}  // namespace zavo::detail

template <class Memo>
CScanner<Memo>::CScanner(std::istream& input, const zavo::ScannerConfig& c)
    : CommonScanner<Memo>(input, c.comment1[0], c.comment1[1], c.comment1[2], c.comment1[3],
                          c.comment2[0], c.comment2[1], c.comment2[2], c.comment2[3],
                          c.identifierClasses, c.classTable, 3) {
  zavo::detail::ApplyScannerConfig(*this, c);
}

template <class Memo>
PrologScanner<Memo>::PrologScanner(std::istream& input, const zavo::ScannerConfig& c)
    : CommonScanner<Memo>(input, c.comment1[0], c.comment1[1], c.comment1[2], c.comment1[3],
                          c.comment2[0], c.comment2[1], c.comment2[2], c.comment2[3],
                          c.identifierClasses, c.classTable, 3) {
  zavo::detail::ApplyScannerConfig(*this, c);
}

extern template class CommonScanner<ScannerMemo>;
extern template class CScanner<ScannerMemo>;
extern template class PrologScanner<ScannerMemo>;
