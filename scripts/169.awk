# The reading half of 169: reads the journal's directives as hledger and as ledger read them,
# lists the accounts that it declares, and refuses the journal where either reader would read a
# booking appended at its end otherwise than written. 169 runs it with LC_ALL=C: texts are bytes.
#
# What passes between 169 and this program, one value a line. A path or a reason is encoded, "\"
# written "\\" and a line end "\n"; an include's target stands as written after "include".
#
#   On standard input, from 169, in this order:
#     J path key             the journal, and its key: a text that names a file once, however it
#                            is reached
#     R path                 ledger's init file, when there is one
#     I folder target        where "include target" in a file of that folder leads, in the
#                            records up to E:
#       F path key             a file to read, in reading order
#       X path reason          a file passed over, and why
#       W reason               the whole include passed over, and why
#       E
#     M                      then, to the end, the lines of the journal itself that can be
#                            directives, are not UTF-8 or hold a CR inside, each as NUMBER:TEXT
#   On standard output, to 169:
#     Q folder target        with exit status 3: an include that has no answer yet. 169 answers
#                            it and runs this program again.
#     the accounts, joined by ", ", with exit status 0
#   Exit status 1: the journal is refused or cannot be read; the reasons on standard error.
#
#   Variable not_utf8 (-v): the extended regular expression of what a line that is not UTF-8
#   holds, the same that 169 hands grep.
#
# Where the two readers differ, each has a state of its own: hledger's comment blocks, "apply
# account" prefixes, "D" and "decimal-mark"; ledger's blocks ("comment", "test", which any line
# that starts "end comment" or "end test" ends), its stack of "apply" directives, and its options
# ("--decimal-comma" in any file stays on to the end). Each follows only the includes of the lines
# that it reads. Both readers end what an included file leaves open with that file, and read a
# file again at each include.

# Texts from the shell: "\\" is "\" and "\n" a line end.
function decode(text,    result, at) {
  result = ""
  while ((at = index(text, "\\")) > 0) {
    result = result substr(text, 1, at - 1) (substr(text, at + 1, 1) == "n" ? "\n" : "\\")
    text = substr(text, at + 2)
  }
  return result text
}

function encode(text,    result, c) {
  result = ""
  while (match(text, /[\\\n]/)) {
    c = substr(text, RSTART, 1)
    result = result substr(text, 1, RSTART - 1) (c == "\\" ? "\\\\" : "\\n")
    text = substr(text, RSTART + 1)
  }
  return result text
}

function next_line() {
  if ((getline answer_line) <= 0) answer_line = ""
  return answer_line
}

function read_answers(    line, pair, n, at) {
  while ((line = next_line()) != "") {
    if (line == "M") {
      while ((getline line) > 0) {
        at = index(line, ":")
        journal_number[++journal_lines] = substr(line, 1, at - 1)
        journal_text[journal_lines] = substr(line, at + 1)
      }
      return
    }
    if (line == "J") {
      journal = decode(next_line())
      journal_key = decode(next_line())
    } else if (line == "R") {
      ledger_init = decode(next_line())
    } else if (line == "I") {
      pair = decode(next_line())
      pair = pair SUBSEP next_line()
      answered[pair] = 1
      n = 0
      while ((line = next_line()) != "E" && line != "") {
        ++n
        kind[pair, n] = line
        first[pair, n] = decode(next_line())
        if (line != "W") second[pair, n] = decode(next_line())
      }
      items[pair] = n
    }
  }
}

# A file read again does not repeat a warning.
function warn(message) {
  if (message in warned) return
  warned[message] = 1
  warnings = warnings "169: " message "\n"
}

# Why a reader ("hledger", "ledger", or "both") would not read the appended bookings as written.
function refuse(reader, message) {
  reason[reader, ++reasons[reader]] = message
}

# The reasons of the reader, each once over all readers, each on a line.
function reasons_of(reader,    i, text) {
  for (i = 1; i <= reasons[reader]; ++i) {
    if (reason[reader, i] in given) continue
    given[reason[reader, i]] = 1
    text = text "169: " reason[reader, i] "\n"
  }
  return text
}

# Marks that a reader cannot read the journal at all, whatever is appended: its reasons then do
# not count. Only what that reader surely refuses is marked.
function unreadable(reader) {
  cannot_read[reader] = 1
}

# Whether hledger refuses the line, outside a comment block: ledger's options, "@" directives and
# blocks, its directives that hledger does not know, and an "end" that ends nothing of hledger's.
function hledger_refuses(line,    w) {
  w = hledger_blank
  if (line ~ /^(--|@|!comment|!test|comment|test)/) return 1
  if (line ~ ("^!?(apply" w "+(tag|fixed|year|rate)|year|bucket|A|define|expr|assert|check|eval" \
              "|python|value)(" w "|$)")) {
    return 1
  }
  return line ~ /^!?end/ && line !~ hledger_end_apply_account &&
         line !~ ("^!?end" w "+(aliases|tag)" w "*([;#*].*)?$")
}

function where(path, number) { return path ", Zeile " number }

function quoted_for_shell(text) {
  gsub(/'/, "'\\''", text)
  return "'" text "'"
}

# The name of a directive: the text after its first word and the blanks behind it, up to two
# blanks in a row or the end, a single blank inside it standing as one space.
function name_of(line) {
  sub(/^[^ \t\v\f\r]+[ \t\v\f\r]+/, "", line)
  if (match(line, /[ \t\v\f\r][ \t\v\f\r]/)) line = substr(line, 1, RSTART - 1)
  sub(/[ \t\v\f\r]+$/, "", line)
  gsub(/[\t\v\f\r]/, " ", line)
  return line
}

function argument_of(line) {
  sub(/^[^ \t]+[ \t]+/, "", line)
  sub(/[ \t]+$/, "", line)
  return line
}

# The first word of a directive line, without the "!" or "@" that may stand before it.
function word_of(line) {
  sub(/^[!@]/, "", line)
  sub(/[ \t\v\f].*/, "", line)
  return line
}

# The decimal mark of the amount of a "D" or "commodity" directive: the last mark in its number
# ("1.000,00" has a decimal comma, "1,000" too, as hledger reads it), or "" when it has no
# number; with symbol set to whether the amount has a commodity symbol. A price after "@" and an
# exponent ("1,00E3") are not the symbol.
function amount_mark(amount,    number, around) {
  gsub(/"[^"]*"/, "\"q\"", amount)
  sub(/;.*/, "", amount)
  sub(/@.*/, "", amount)
  if (!match(amount, /[0-9][0-9., ]*/)) {
    symbol = 0
    return ""
  }
  number = substr(amount, RSTART, RLENGTH)
  sub(/ +$/, "", number)
  around = substr(amount, 1, RSTART - 1) substr(amount, RSTART + length(number))
  sub(/^[eE][-+]?[0-9]+/, "", around)
  symbol = around ~ /[^-+ \t]/
  gsub(/[^.,]/, "", number)
  return substr(number, length(number), 1)
}

# The names (one a line) joined with ":", as hledger joins the prefixes of "apply account" and a
# name: a name in parentheses or brackets loses them, and the whole takes those of the first.
function prefixed(names,    part, n, i, joined, opening, closing) {
  n = split(names, part, "\n")
  for (i = 1; i <= n; ++i) {
    if (part[i] ~ /^\(.*\)$/ || part[i] ~ /^\[.*\]$/) {
      if (opening == "") {
        opening = substr(part[i], 1, 1)
        closing = substr(part[i], length(part[i]))
      }
      part[i] = substr(part[i], 2, length(part[i]) - 2)
    }
    joined = joined (i > 1 ? ":" : "") part[i]
  }
  return opening joined closing
}

# Why 168 would refuse to book to the account, or "". hledger reads a no-break space (C2 A0) as a
# blank, in an account name too.
function booking_refusal(name,    blanks) {
  blanks = name
  gsub(/\302\240/, " ", blanks)
  if (name ~ /[\001-\037\177]/) return "es enthält ein Steuerzeichen"
  if (index(blanks, "  ")) return "es enthält zwei Leerzeichen in Folge"
  if (blanks ~ /^ | $/) return "es beginnt oder endet mit einem Leerzeichen"
  if (name ~ /^[;*!(\[]/) return "es beginnt mit einem Zeichen, das im Journal eine andere Bedeutung hat"
  return ""
}

# Declares the account of an "account" line, below the prefixes of hledger's "apply account".
function declare(line, applied,    name, refusal) {
  name = name_of(line)
  if (name == "") return
  name = below_prefixes(name, applied)
  if (name in seen) return
  seen[name] = 1
  if (index(name, ", ")) {
    warn("Konto „" name "“ ausgelassen: mit „, “ im Namen stünde es als zwei in der Liste")
    return
  }
  refusal = booking_refusal(name)
  if (refusal != "") {
    warn("Konto „" name "“ ausgelassen: darauf ließe sich nicht buchen, " refusal)
    return
  }
  listed[++count] = name
}

function passed_over(target, from, why) {
  warn("„include " target "“ in " from " übersprungen: " why)
}

# Reads the files that the include line leads to, each where it stands and each time it is
# included, for the readers that read the line ("h" hledger, "l" ledger), with the state that the
# including file hands on. An include that the shell has not
# answered yet is asked of it and adds nothing in this run.
function include(line, from, readers, applied, with_default, ledger_applied,
                 target, pair, parts, n, i, path, key) {
  target = argument_of(line)
  if (target == "") return
  # Each level of nesting holds a call of read_file and of include on the stack of the awk
  # program, which mawk ends with an error some 40 levels down; a journal kept by a person never
  # nests its includes this deep.
  if (nesting >= max_nesting) {
    passed_over(target, from, "Einbindungen, die tiefer als " max_nesting \
                " Ebenen ineinander geschachtelt sind, liest 169 nicht")
    return
  }
  pair = substr(from, 1, match(from, /\/[^\/]*$/) - 1) SUBSEP target
  if (!(pair in answered)) {
    if (!(pair in asked)) {
      asked[pair] = 1
      split(pair, parts, SUBSEP)
      questions = questions "Q\n" encode(parts[1]) "\n" target "\n"
    }
    return
  }
  n = items[pair]
  for (i = 1; i <= n; ++i) {
    if (kind[pair, i] == "W") {
      passed_over(target, from, first[pair, i])
      continue
    }
    path = first[pair, i]
    if (kind[pair, i] == "X") {
      passed_over(target, from, (target ~ /[][*?]/ ? path ": " : "") second[pair, i])
      continue
    }
    key = second[pair, i]
    if (key in reading) {
      passed_over(target, from, (target ~ /[][*?]/ ? path ": " : "") \
                  "die Datei bindet sich damit selbst ein")
      continue
    }
    # Files that include each other twice would be read exponentially often; a journal kept by
    # a person never comes near this bound.
    if (++reads > 10000) {
      warn("weitere Einbindungen übersprungen: schon 10000 Mal eine Datei gelesen")
      return
    }
    ++nesting
    if (!read_file(path, key, readers, applied, with_default, ledger_applied)) {
      passed_over(target, from, "die Datei ist nicht lesbar")
    }
    --nesting
  }
}

# An option line of ledger's, "--NAME", "--NAME VALUE" or "--NAME=VALUE", in a journal file or
# in ledger's init file (from_init): a value runs to the end of the line, a comment included.
function ledger_option(line, at, from_init,    name, value) {
  name = substr(line, 3)
  value = ""
  if (match(name, /[ \t=]/)) {
    value = substr(name, RSTART + 1)
    name = substr(name, 1, RSTART - 1)
    sub(/^[ \t]+/, "", value)
    sub(/[ \t]+$/, "", value)
  }
  # ledger reads "_" in an option's name as "-", and passes over one at its end.
  gsub(/_/, "-", name)
  sub(/-$/, "", name)
  if (name == "decimal-comma" && decimal_comma_at == "") {
    decimal_comma_at = at ": „" line "“"
  } else if (name == "input-date-format") {
    # ledger tries the date formats from the last to the first; those of the init file come
    # first, as it is read first.
    date_format[++date_formats] = value
    date_format_at[date_formats] = at ": „" line "“"
  } else if (name == "pedantic" && from_init) {
    pedantic_at = at
  } else if (name == "check-payees" && from_init) {
    check_payees = 1
  }
}

# Reads ledger's init file, a journal of options only: "--" lines at the start of a line.
function read_ledger_init(    line, status, number) {
  if (ledger_init == "") return
  while ((status = (getline line < ledger_init)) > 0) {
    ++number
    sub(/\r$/, "", line)
    if (line ~ /^--/) ledger_option(line, where(ledger_init, number), 1)
  }
  close(ledger_init)
}

# A stack of "apply" directives, as each reader keeps one: an entry a line, "KIND NUMBER", and for
# "apply account" the prefix after it ("account 3 Privat").
function pushed(stack, entry) {
  return stack (stack == "" ? "" : "\n") entry
}

function popped(stack) {
  return sub(/\n[^\n]*$/, "", stack) ? stack : ""
}

# The account prefixes in the stack, one a line.
function prefixes_in(stack,    part, n, i, names) {
  n = split(stack, part, "\n")
  for (i = 1; i <= n; ++i) {
    if (sub(/^account [0-9]+ /, "", part[i])) names = names (names == "" ? "" : "\n") part[i]
  }
  return names
}

# The line numbers of the account prefixes in the stack, each after a blank.
function prefix_lines_in(stack,    part, n, i, numbers, fields) {
  n = split(stack, part, "\n")
  for (i = 1; i <= n; ++i) {
    if (part[i] ~ /^account /) {
      split(part[i], fields, " ")
      numbers = numbers " " fields[2]
    }
  }
  return numbers
}

# The name below the stack's account prefixes, joined as hledger and ledger join them.
function below_prefixes(name, stack,    prefixes) {
  prefixes = prefixes_in(stack)
  return prefixes == "" ? name : prefixed(prefixes "\n" name)
}

# Follows a line through ledger's stack of "apply" directives. Returns the stack after the line. An "end" that ends
# no directive of the stack makes ledger refuse the journal; "end apply KIND" must end the last
# one, "end" and "end apply" end it, and so does any "end WORD" where WORD is not "apply"
# ("end aliases").
function ledger_apply(line, stack, number,    rest, kind) {
  sub(/^[!@]/, "", line)
  # "Y" and "year" stand on the stack as "apply year" does.
  if (line ~ /^(Y|year)[ \t]/) return pushed(stack, "year " number)
  if (line ~ /^apply[ \t]+[^ \t]/) {
    rest = line
    sub(/^apply[ \t]+/, "", rest)
    kind = rest
    sub(/[ \t].*/, "", kind)
    return pushed(stack, kind " " number (kind == "account" ? " " name_of(rest) : ""))
  }
  if (line !~ /^end([ \t]|$)/) return stack
  rest = line
  sub(/^end[ \t]*/, "", rest)
  sub(/[ \t]+$/, "", rest)
  if (stack == "") {
    unreadable("ledger")
    return stack
  }
  if (rest ~ /^apply([ \t]|$)/) {
    sub(/^apply[ \t]*/, "", rest)
    kind = stack
    sub(/.*\n/, "", kind)
    sub(/ .*/, "", kind)
    if (rest != "" && rest != kind) {
      unreadable("ledger")
      return stack
    }
  }
  return popped(stack)
}


# Reads the declarations of the file, and those of the files it includes where they stand, for
# the readers that read it ("h" hledger, "l" ledger): a file that only one of them includes
# changes nothing of the other's. hledger's stack of "apply account", whether a "D" directive
# holds, and ledger's stack of "apply" directives come from the including file; what the file
# changes of them ends with it. False when the file cannot be read.
function read_file(path, key, readers, applied, with_default, ledger_applied,
                   line, status, number, main, at, after_mark, word, hledger_sees, ledger_sees,
                   in_comment, comment_line, mark, ledger_block, ledger_block_line) {
  reading[key] = 1
  main = key == journal_key
  status = 0
  while (1) {
    # The journal itself comes from the shell, only the lines that can be directives.
    if (main) {
      if (++journal_at > journal_lines) break
      line = journal_text[journal_at]
      number = journal_number[journal_at]
    } else if ((status = (getline line < path)) > 0) {
      ++number
    } else {
      break
    }
    at = where(path, number)
    if (not_utf8_at == "" && line ~ /[\200-\377]/ && line ~ not_utf8) {
      not_utf8_at = at
      not_utf8_path = path
    }
    if (lone_cr_at == "" && line ~ /\r./) {
      lone_cr_at = at
      lone_cr_path = path
    }
    # hledger passes over a byte-order mark; ledger takes the line that starts with one for an
    # unknown directive and passes over all of it.
    after_mark = number == 1 && sub(/^\357\273\277/, "", line)
    if (line !~ /^[a-z!@ADY-]/) continue
    sub(/\r$/, "", line)

    # As ledger reads the line.
    ledger_sees = 0
    word = word_of(line)
    if (!index(readers, "l") || after_mark) {
      # not read
    } else if (ledger_block != "") {
      if (line ~ /^end (comment|test)/) ledger_block = ""
    } else if ((word == "comment" || word == "test") && line ~ /^[!@]?[a-z]+([ \t\v\f]|$)/) {
      ledger_block = word
      ledger_block_line = number
    } else if (line ~ /^--/) {
      ledger_option(line, at, 0)
    } else {
      ledger_sees = 1
      ledger_applied = ledger_apply(line, ledger_applied, number)
    }

    # As hledger reads it.
    hledger_sees = 0
    if (!index(readers, "h")) {
      # not read
    } else if (in_comment) {
      if (line ~ ("^end comment" hledger_blank "*$")) in_comment = 0
      else if (line ~ /^end comment/) unreadable("hledger")
    } else if (line ~ ("^comment" hledger_blank "*$")) {
      in_comment = 1
      comment_line = number
    } else if (hledger_refuses(line)) {
      unreadable("hledger")
    } else {
      hledger_sees = 1
    }

    sub(/^[!@]/, "", line)
    if (line ~ /^account[ \t]/) {
      # The list holds what hledger declares and ledger does not pass over.
      if (hledger_sees && ledger_block == "") declare(line, applied)
      # ledger's name is all of the line after "account", a comment too.
      if (ledger_sees) ledger_declared[below_prefixes(argument_of(line), ledger_applied)] = 1
    } else if (line ~ /^include[ \t]/) {
      if (hledger_sees || ledger_sees) {
        include(line, path, (hledger_sees ? "h" : "") (ledger_sees ? "l" : ""), applied,
                with_default, ledger_applied)
      }
    } else if (!hledger_sees) {
      continue
    } else if (line ~ /^apply[ \t]+account[ \t]/) {
      sub(/^apply[ \t]+/, "", line)
      if (name_of(line) != "") applied = pushed(applied, "account " number " " name_of(line))
    } else if (line ~ hledger_end_apply_account) {
      applied = popped(applied)
    } else if (line ~ /^D[ \t]/) {
      with_default = 1
      if (main) {
        default_mark = amount_mark(argument_of(line))
        default_where = at
        default_line = line
      }
    } else if (line ~ /^commodity[ \t]/) {
      mark = amount_mark(argument_of(line))
      if (mark != "" && !symbol && !with_default) {
        plain_mark = mark
        plain_where = at
        plain_line = line
      }
    } else if (main && line ~ /^decimal-mark[ \t]/) {
      decimal_mark = substr(argument_of(line), 1, 1)
      decimal_where = at
      decimal_line = line
    }
  }
  if (!main) close(path)
  delete reading[key]
  if (main && status == 0) {
    if (in_comment) {
      refuse("hledger", hidden_in_block(path, "comment", comment_line))
    }
    if (ledger_block != "") {
      refuse("ledger", hidden_in_block(path, ledger_block, ledger_block_line))
    }
    refuse_if_moved("hledger", path, applied)
    refuse_if_moved("ledger", path, ledger_applied)
  }
  return status == 0
}

function hidden_in_block(path, block, line) {
  return path " endet in einem " (block == "comment" ? "Kommentarblock" : "Block „test“") ": „" \
         block "“ in Zeile " line " hat kein „end " block "“. Die Buchungen, die der Import " \
         "anhängt, stünden darin und zählten nicht."
}

# Refuses the journal for the reader when its stack at the journal's end holds account prefixes.
function refuse_if_moved(reader, path, stack) {
  if (prefixes_in(stack) == "") return
  refuse(reader, path " endet innerhalb von „apply account“ (Zeile" prefix_lines_in(stack) \
         ") ohne „end apply account“. Die Buchungen, die der Import anhängt, kämen auf Konten " \
         "unter „" prefixed(prefixes_in(stack)) "“.")
}

# Refuses the journal when hledger would read an amount without a commodity symbol, as 168
# writes it, with a decimal comma.
function check_hledger_decimal_mark(    line, at) {
  if (decimal_mark != "") {
    line = decimal_line; at = decimal_where; if (decimal_mark != ",") return
  } else if (plain_mark != "") {
    line = plain_line; at = plain_where; if (plain_mark != ",") return
  } else if (default_mark != "") {
    line = default_line; at = default_where; if (default_mark != ",") return
  } else {
    return
  }
  refuse("hledger", at ": „" line "“ gibt Beträgen ohne Währungszeichen ein Dezimalkomma. " \
         "hledger läse die Beträge, die der Import anhängt, hundertfach zu groß: 1234.56 als " \
         "123.456,00. Der Import braucht ein Journal, das Beträge ohne Währungszeichen mit " \
         "Dezimalpunkt liest.")
}

# Whether the date format may fit the dates that 168 writes (2008-03-05). One that does not fit
# them leaves ledger to the formats before it, and in the end to its own, which read them right:
# one with a character to match that such a date lacks ("%d.%m.%Y", and a comment after the
# format, which ledger takes into it). Any other may fit them and read them otherwise.
function fits_dates(format,    literal) {
  literal = format
  gsub(/%[-_0^#]*[0-9]*[EO]?./, "", literal)
  return literal !~ /[^-0-9 \t\v\f\r]/
}

# Refuses the journal when ledger would refuse or misread the appended bookings by its options:
# from the journal's files, its init file, or the environment (LEDGER_NAME for --name, any value).
function check_ledger_options(    i, format) {
  if (decimal_comma_at == "" && "LEDGER_DECIMAL_COMMA" in ENVIRON) {
    decimal_comma_at = "die Umgebungsvariable LEDGER_DECIMAL_COMMA"
  }
  if (decimal_comma_at != "") {
    refuse("ledger", decimal_comma_at " lässt ledger Beträge mit Dezimalkomma lesen. Am ersten " \
           "Betrag, den der Import anhängt (1234.56), bräche ledger das Lesen des ganzen " \
           "Journals ab. Die Option entfernen; der Import braucht Beträge mit Dezimalpunkt.")
  }
  if (date_formats == 0 && "LEDGER_INPUT_DATE_FORMAT" in ENVIRON) {
    date_format[++date_formats] = ENVIRON["LEDGER_INPUT_DATE_FORMAT"]
    date_format_at[date_formats] = "die Umgebungsvariable LEDGER_INPUT_DATE_FORMAT=" \
                                   date_format[date_formats]
  }
  for (i = date_formats; i >= 1; --i) {
    format = date_format[i]
    if (format == "%Y-%m-%d" || format == "%F") break
    if (!fits_dates(format)) continue
    refuse("ledger", date_format_at[i] " lässt ledger Daten nach dem Muster „" format "“ lesen. " \
           "ledger läse die Daten der Buchungen, die der Import anhängt (2008-03-05), womöglich " \
           "anders, als sie geschrieben sind. Die Option entfernen oder „%Y-%m-%d“ angeben.")
    break
  }
  if (pedantic_at == "" && "LEDGER_PEDANTIC" in ENVIRON) {
    pedantic_at = "die Umgebungsvariable LEDGER_PEDANTIC"
  }
  if (!check_payees) check_payees = "LEDGER_CHECK_PAYEES" in ENVIRON
  if (pedantic_at != "" && check_payees) {
    refuse("ledger", pedantic_at ": „--pedantic“ mit „--check-payees“ lässt ledger jede Buchung " \
           "ablehnen, deren Empfänger nicht mit „payee“ erklärt ist. An der ersten Buchung, die " \
           "der Import anhängt, bräche ledger das Lesen des Journals ab.")
  } else if (pedantic_at != "" && !("Unbekannt" in ledger_declared)) {
    refuse("ledger", pedantic_at ": „--pedantic“ lässt ledger jede Buchung auf ein Konto " \
           "ablehnen, das nicht erklärt ist. Der Import bucht die Gegenseite auf „Unbekannt“: " \
           "das Journal braucht die Zeile „account Unbekannt“.")
  }
}

# With "--pedantic", ledger refuses a booking to an account that it does not read declared under
# the same name ("account Giro  ; Notiz" declares "Giro  ; Notiz" for ledger): such an account is
# left out of the list.
function leave_out_what_pedantic_ledger_refuses(    i, kept) {
  if (pedantic_at == "" || "ledger" in cannot_read) return
  for (i = 1; i <= count; ++i) {
    if (listed[i] in ledger_declared) {
      listed[++kept] = listed[i]
    } else {
      warn("Konto „" listed[i] "“ ausgelassen: ledger mit „--pedantic“ (" pedantic_at ") kennt " \
           "es nicht unter diesem Namen")
    }
  }
  count = kept
}

function check_encoding() {
  if (not_utf8_at != "") {
    refuse("both", not_utf8_at ": die Datei ist nicht in UTF-8 geschrieben. hledger kann das " \
           "Journal nicht lesen, und ledger hielte ein Konto, dessen Name darin einen Umlaut " \
           "hat, für ein anderes als das, auf das der Import bucht. Die Datei umwandeln, zum " \
           "Beispiel aus ISO-8859-1 mit: " \
           converted("iconv -f ISO-8859-1 -t UTF-8", not_utf8_path))
  }
  if (lone_cr_at != "") {
    refuse("both", lone_cr_at ": die Datei trennt Zeilen mit einem CR allein. hledger liest " \
           "es als Zeilenende, ledger und 169 nicht, so dass 169 nicht sicher sagen kann, wie " \
           "die beiden die Buchungen lesen, die der Import anhängt. Die Zeilenenden umwandeln, " \
           "zum Beispiel mit: " converted("tr '\\r' '\\n'", lone_cr_path))
  }
}

# The shell command that converts the file through the filter and puts the result in its place.
function converted(filter, path) {
  return filter " < " quoted_for_shell(path) " > " quoted_for_shell(path ".neu") " && mv " \
         quoted_for_shell(path ".neu") " " quoted_for_shell(path)
}

BEGIN {
  # A blank between the words of a directive for hledger, a no-break space (C2 A0) among them.
  hledger_blank = "([ \t\v\f]|\302\240)"
  hledger_end_apply_account = "^!?end" hledger_blank "+apply" hledger_blank "+account" \
                              hledger_blank "*([;#*].*)?$"
  # The journal is read at nesting 0, a file that it includes at 1, and so on.
  max_nesting = 20
  read_answers()
  read_ledger_init()
  if (!read_file(journal, journal_key, "hl", "", 0, "")) {
    printf "169: Journal %s ist nicht lesbar\n", journal > "/dev/stderr"
    exit 1
  }
  if (questions != "") {
    printf "%s", questions
    exit 3
  }
  check_hledger_decimal_mark()
  check_ledger_options()
  check_encoding()
  # A reader that cannot read the journal anyway reads no booking wrongly.
  refusal = reasons_of("both")
  if (!("hledger" in cannot_read)) refusal = refusal reasons_of("hledger")
  if (!("ledger" in cannot_read)) refusal = refusal reasons_of("ledger")
  if (refusal != "") {
    printf "%s%s", refusal, warnings > "/dev/stderr"
    exit 1
  }
  leave_out_what_pedantic_ledger_refuses()
  printf "%s", warnings > "/dev/stderr"
  for (i = 1; i <= count; ++i) printf "%s%s", listed[i], (i < count ? ", " : "\n")
}
