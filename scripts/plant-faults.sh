#!/usr/bin/env bash
# Plants one fault at a time in a scratch copy of the tree, builds it, runs the suite
# (and, for faults the fuzz targets are meant to find, that target for a while) and
# lists which tests caught each fault. A fault no test catches is a hole in the suite;
# a fault whose code is no longer there is reported so that the list stays true.
#
#   scripts/plant-faults.sh            # every fault
#   scripts/plant-faults.sh NAME...    # only those
#
# Not part of the test command: it builds and runs the suite once per fault.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
scratch=${VARNOLIX_FAULT_DIR:-/tmp/varnolix-faults}
jobs=$(nproc)
fuzz_seconds=${VARNOLIX_FAULT_FUZZ_SECONDS:-30}

# name @ file @ perl substitution (applied with -0, so it may span lines) @ fuzz target, or
# "windows" for a fault in the Windows build (cross-built and run under Wine), or -
faults=(
  "filter-lets-a-minus-through@pages/numeric_edit.cpp@s/character == '\\.' \\|\\|/character == '.' || character == '-' ||/@-"
  "alt-letter-types@platform/typed_character.cpp@s/if \\(alt && !control\\) return \\{Kind::Command, \\{\\}\\};//@-"
  "basic-refusal-lets-go@pages/income_page.cpp@s/ShowInformation\\(payroll::kBasicNeedsValue\\);\\n(\\s*)return false;/ShowInformation(payroll::kBasicNeedsValue);\\n\$1return true;/@-"
  "single-flagged-field-unnamed@pages/field_checks.cpp@s/if \\(flagged.empty\\(\\)\\) return false;/if (flagged.size() < 2) return false;/@-"
  "too-large-taken-as-an-amount@assessment/amount.cpp@s/return std::isinf\\(amount\\) \\|\\| \\(monthly && std::isinf\\(amount \\* 12\\)\\);/return false;/@-"
  "echo-into-the-wrong-field@pages/income_page.cpp@s/EchoAnnual\\(kAllowances2PerMonth, kAnnualAllowances2\\)/EchoAnnual(kAllowances2PerMonth, kAnnualAllowances1)/@-"
  "reset-leaves-fields-empty@pages/amounts_page.cpp@s/SetDlgItemText\\(field, \"0\"\\)/SetDlgItemText(field, \"\")/@-"
  "tier-stale-before-results@pages/tax_results_page.cpp@s/if \\(sheet.m_bStdDeductionVisited != 0\\) sheet.StandardDeductionPage\\(\\).ShowCurrentTier\\(\\);//@-"
  "followed-outranks-focus@hyperlink/hyperlink.cpp@s/HLS_NOFOCUSCOLOR\\) == 0 && m_bFocused\\)/HLS_NOFOCUSCOLOR) == 0 \\&\\& m_bFocused \\&\\& !m_bFollowed)/@-"
  "release-away-opens@hyperlink/hyperlink.cpp@s/ && client.PtInRect\\(point\\)\\) OpenTarget/ && (client.PtInRect(point) || true)) OpenTarget/@-"
  "alt-space-opens@hyperlink/hyperlink.cpp@s/key != VK_SPACE \\|\\| \\(flags & \\(KF_ALTDOWN \\| KF_CONTROLDOWN \\| KF_METADOWN\\)\\) != 0/key != VK_SPACE/@-"
  "terminal-browser-taken@platform/desktop_key_store.cpp@s/return entry && gio.desktopEntryBoolean\\(entry.get\\(\\), \"Terminal\"\\);/return false;/@-"
  "scheme-handler-not-asked@hyperlink/open_link.cpp@s/return scheme.size\\(\\) < address.size\\(\\) && IsUriScheme\\(scheme\\) \\? scheme : std::string_view\\(\\);/return {};/@-"
  "started-program-shares-our-output@platform/child_process.cpp@s/  posix_spawn_file_actions_addopen\\(&settings.actions, STDOUT_FILENO[^\\n]*\\n//@-"
  "page-colour-lost@pages/coloured_page.cpp@s/  if \\(m_textColour\\) dc->SetTextColor\\(\\*m_textColour\\);\\n//@-"
  "space-repeat-opens-again@hyperlink/hyperlink.cpp@s/if \\(\\(flags & KF_REPEAT\\) == 0\\) OpenTarget\\(\\);/OpenTarget();/@-"
  "browser-cut-keeps-the-quote@hyperlink/browser_command.cpp@s/command.resize\\(quoted\\);/command.resize(quoted + 1);/@command_line"
  "error-prefix-one-line-break@hyperlink/open_link.cpp@s/\"Can't open link:\\\\n\\\\n\"/\"Can't open link:\\\\n\"/@-"
  "grouping-pairs-after-three@payroll/strict_amount.cpp@s/m_firstSize <= 2 && m_middlePairs/m_firstSize <= 3 \\&\\& m_middlePairs/@amount"
  "sheet-ignores-a-refusal@platform/property_sheet.cpp@s/leaving != nullptr && !leaving->OnKillActive\\(\\)\\) return false;/leaving != nullptr) leaving->OnKillActive();/@-"
  "help-never-opens-the-manual@app/mod_property_sheet.cpp@s/\"Varnolix.hlp\", \"\", \"\", SW_SHOW\\) > 32\\) return;/\"Varnolix.hlp\", \"\", \"\", SW_SHOW) >= 0) return;/@-"
  "help-failure-unreported@app/mod_property_sheet.cpp@s/  AfxMessageBox\\(\"No help could be opened.*?\\n//s@-"
  "labels-name-no-field@platform/dialog.cpp@s/      label->setBuddy\\(field->GetSafeHwnd\\(\\)\\);\\n\\s*field->GetSafeHwnd\\(\\)->setAccessibleName\\(label->text\\(\\)\\);\\n//@-"
  "copy-working-copies-a-part@pages/tax_results_page.cpp@s/m_strWorking = WorkingText\\(computation\\);/m_strWorking = ResultTip(computation, Result::kTaxPayable);/@-"
  "section80-subtracted-as-a-total@assessment/assessment.cpp@s/double\\{a.incomeBase\\} - counted\\(k80L\\) - counted\\(k80D\\) - counted\\(k80CCC\\) - counted\\(k80DD\\) -\\s*counted\\(k80DDB\\) - counted\\(k80E\\)/double{a.incomeBase} - a.section80Total/@assessment"
  "cents-round-half-up@cli/quick_amount.cpp@s/rest > half \\|\\| \\(rest == half && \\(whole & 1\\) != 0\\)/rest >= half/@amount"
  "crlf-kept-in-the-last-cell@payroll/csv_reader.cpp@s/    if \\(m_crlf\\) --contentEnd;\\n//@csv_reader"
  "save-keeps-fewer-digits@payroll/saved_entries.cpp@s/ShortestDigits\\(\\*amount\\)/ShortestDigits(static_cast<float>(*amount))/@-"
  "binary-file-opened@payroll/csv_reader.cpp@s/return CsvFault::kBinaryFile;/return CsvFault::kNone;/@-"
  "opened-pages-count-as-unshown@app/sheet_files.cpp@s/m_bStdDeductionVisited = m_bSection80Visited = m_bSection88Visited = 1;//@-"
  "escape-closes-over-entries@app/sheet_files.cpp@s/  if \\(MayLoseEntries\\(\\)\\) EndDialog\\(IDCANCEL\\);/  EndDialog(IDCANCEL);/@-"
  "save-offers-the-payroll-file@document/payroll_document.cpp@s/if \\(m_open.rowCount <= 1\\) return m_open.path;/return m_open.path;/@-"
  "pick-opens-another-record@document/payroll_document.cpp@s/opened.problem.empty\\(\\) && row.fingerprint != listed.fingerprint/false/@-"
  "save-skips-the-second-look@document/payroll_document.cpp@s/if \\(problem.empty\\(\\) && now != m_open.file\\)/if (false)/@-"
  "write-back-over-a-changed-file@document/payroll_document.cpp@s/if \\(payroll::FingerprintOf\\(bytes\\) != m_open.file\\) return/if (false) return/@-"
  "pipe-opened-and-read@payroll/payroll_file.cpp@s/regularOnly=\\*\\/true/regularOnly=*\\/false/@-"
  "pdf-written-over-its-input@app/print_to_pdf.cpp@s/if \\(payroll::system::SameFile\\(pdf, file\\)\\)/if (false)/@-"
  "nothing-printed-exits-1@app/print_to_pdf.cpp@s/(no row could be printed[^\\n]*\\n\\s*)return kCannotUse;/\$1return kSomeRefused;/@-"
  "bare-separators-listed@payroll/payroll_file.cpp@s/      if \\(IsBlankRecord\\(fields\\)\\) continue;\\n//@-"
  "bytes-not-utf8-unsaid@payroll/payroll_file.cpp@s/if \\(following == 0 \\|\\| end - p <= following\\) return false;/if (following == 0 || end - p <= following) return true;/@-"
  "write-back-drops-the-line-break@document/row_write_back.cpp@s/file.substr\\(contentEnd\\)/file.substr(end)/@-"
  "write-back-leaves-stale-results@document/row_write_back.cpp@s/cells\\[index\\] = answer.results\\[\\*result\\];//@-"
  "saved-columns-in-table-order@payroll/saved_entries.cpp@s/    if \\(cell.field\\) \\{\\n      placed\\[\\*cell.field\\] = true;\\n      add\\(cell.column, SavedAmountText\\(amounts\\[\\*cell.field\\]\\)\\);\\n    \\} else \\{/    if (cell.field) {\\n    } else {/@-"
  "file-dialog-asks-its-own-question@app/sheet_files.cpp@s/  const std::optional<std::string> path = ChooseFile\\(\\{.save = true,\\n(\\s*).askToReplace = false,/  const std::optional<std::string> path = ChooseFile({.save = true,\\n\$1.askToReplace = true,/@-"
  "replace-question-for-no-file@document/payroll_document.cpp@s/if \\(question.problem.empty\\(\\) && m_open.rowCount > 1\\)/if (false)/@-"
  "find-sees-only-the-list-line@platform/list_choice.cpp@s/return m_choice.searchText \\? ToQString\\(m_choice.searchText\\(index\\)\\) : /return /@-"
  "no-match-unsaid@platform/list_choice.cpp@s/shown->setCurrentIndex\\(found.rowCount\\(\\) == 0 \\? 1 : 0\\);//@-"
  "title-without-the-row@document/payroll_document.cpp@s/if \\(m_open.rowCount <= 1\\) return file;/return file;/@-"
  "who-heading-with-its-dot@payroll/who_columns.cpp@s/ \\|\\| c == '\\.'\\) continue;/) continue;/@-"
  "discard-without-a-letter@platform/message_box.cpp@s/\"&Discard\"/\"Discard\"/@-"
  "plain-route-takes-a-lone-point@cli/quick_amount.h@s/return digits > 0 && payroll::ExactDecimal/return payroll::ExactDecimal/@amount"
  "interrupted-run-leaves-its-file@payroll/system/temporary_files_posix.cpp@s/\\) ::unlink\\(path\\);/) (void)path;/@-"
  "interruption-exits-as-a-failure@payroll/system/temporary_files_posix.cpp@s/::raise\\(signal\\);/::_exit(2);/@-"
  "nohup-run-interrupted@payroll/system/temporary_files_posix.cpp@s/ \\|\\| current.sa_handler != SIG_DFL//@-"
  "never-an-unnamed-file@payroll/system/whole_file_posix.cpp@s/int fd = ::open\\(place.folder.c_str\\(\\), O_TMPFILE[^;]*;/int fd = (errno = EOPNOTSUPP, -1);/@-"
  "no-named-file-where-unnamed-refused@payroll/system/whole_file_posix.cpp@s/if \\(fd < 0 && UnnamedFilesRefused\\(errno\\)\\) fd = /if (false) fd = /@-"
  "replacement-loses-permissions@payroll/system/whole_file_posix.cpp@s/if \\(exists && ::fchmod/if (false \\&\\& ::fchmod/@-"
  "failed-commit-leaves-its-file@payroll/system/whole_file_posix.cpp@s/  if \\(!replacement.temporary.empty\\(\\)\\) ::unlink\\(replacement.temporary.c_str\\(\\)\\);\\n//@-"
  "link-replaced-not-followed@payroll/system/whole_file_posix.cpp@s/::realpath\\(path.c_str\\(\\), resolved\\) != nullptr \\? std::string\\(resolved\\) : path/path/@-"
  "refusing-folder-unnamed@payroll/system/whole_file_posix.cpp@s/if \\(FolderRefuses\\(error\\)\\) refusingFolder = place.folder;//@-"
  "standard-input-written-over@cli/tool.cpp@s/if \\(payroll::system::SameRegularFile\\(input, /if (!options.input.empty() \\&\\& payroll::system::SameRegularFile(input, /@-"
  "echo-taken-unrounded@assessment/assessment.cpp@s/echoed \\? AnnualEchoValue\\(amount\\) : amount/echoed ? amount * 12 : amount/@-"
  "lta-bound-to-another-control@pages/field_controls.h@s/\\{Field::kLta, ids::income::kLtaTaxableAnnual,/{Field::kLta, ids::income::kReset,/@-"
  "tooltip-of-another-result@computation/render.cpp@s/case Result::kTaxableHra:\\n(\\s*)return kTaxableHraParts;/case Result::kTaxableHra:\\n\$1return kGrossSalaryParts;/@-"
  "rules-order-unsaid@computation/working.cpp@s/    m_notes.push_back\\(RuleNote::kRulesOrder\\);[^\\n]*\\n//@-"
  "least-candidate-unnamed@computation/working.cpp@s/if \\(m_f.exemptionFrom != candidate\\) return note;/return note;/@-"
  "figures-with-float-digits@computation/render.cpp@s/return GroupIndian\\(WriteAmount\\(figure\\)\\);/return GroupIndian(ShortestDigits(figure));/@-"
  "single-precision-unsaid@computation/working.cpp@s/if \\(!nil && exact.DiffersFrom\\(figure\\)\\)/if (false)/@-"
  "exact-paise-truncated@computation/exact.cpp@s/if \\(2 \\* Magnitude\\(rest\\) >= unit\\)/if (false)/@-"
  "entries-ungrouped@computation/working.cpp@s/if \\(Exact::OfText\\(typed\\).known\\(\\)\\) return GroupIndian\\(typed\\);/if (Exact::OfText(typed).known()) return typed;/@-"
  "negative-slab-tax-shown@computation/working.cpp@s/if \\(m_a.slabTax < 0\\) \\{/if (false) {/@-"
  "section88-use-overstated@computation/working.cpp@s/\\+ WrittenFigure\\(slabTax\\) \\+\\n(\\s*)\" of it is used/+ WrittenFigure(benefit) +\\n\$1\" of it is used/@-"
  "result-named-by-another-word@computation/computation.cpp@s/\"Tax Payable\"\\};/\"Tax payable\"};/@-"
  "tooltip-unwrapped@computation/render.cpp@s/AppendWrapped\\(tip, NoteText\\(line\\), \"  \", kTipWidth\\);/AppendWrapped(tip, NoteText(line), \"  \", 1000);/@-"
  "near-miss-of-a-column-passes@payroll/columns.cpp@s/  map.FindNearMiss\\(header, kept\\);\\n//@-"
  "name-separators-count@payroll/columns.cpp@s/return IsBlank\\(c\\) \\|\\| c == '_' \\|\\| c == '-' \\|\\| c == '.';/return IsBlank(c);/@-"
  "kept-column-not-kept@cli/tool.cpp@s/\\.keptColumns = options\\.keptColumns, //@-"
  "second-run-appends-again@cli/record_output.cpp@s/  if \\(!assessed\\) return;/  return;/@-"
  "padded-short-row-assessed@payroll/row_reading.cpp@s/if \\(!padded\\) return std::nullopt;/return std::nullopt;/@threads"
  "blank-row-refused@cli/record_output.cpp@s/return payroll::IsBlankRecord\\(fields\\) \\? RowOutcome::kBlank : RowOutcome::kRefused;/return RowOutcome::kRefused;/@-"
  "explain-begins-with-a-mark@cli/tool.cpp@s/if \\(csv && reader\\.hadByteOrderMark\\(\\)\\)/if (reader.hadByteOrderMark())/@-"
  "blanks-after-a-number-warned@cli/row_assessment.cpp@s/!payroll::TrimBlanks\\(cell\\.substr\\(used\\)\\)\\.empty\\(\\)/!cell.substr(used).empty()/@-"
  "threads-drop-part-read-warnings@cli/parallel_assessment.cpp@s/if \\(warned > 0\\) \\(void\\)m_warnings/if (false) (void)m_warnings/@threads"
  "semicolon-file-read-as-one-column@payroll/csv_reader.cpp@s/m_dialect.separator = separators\\[1\\] >= separators\\[2\\] \\? ';' : '\\\\t';//@-"
  "bare-cr-file-read-as-one-line@payroll/csv_reader.cpp@s/m_dialect.lineEnd = '\\\\r';/m_dialect.lineEnd = '\\\\n';/@-"
  "stray-quote-opens-a-quoted-field@payroll/csv_reader.cpp@s/while \\(quote < end && !OpensQuotes\\(data, quote\\)\\)/while (false)/@csv_reader"
  "utf16-read-as-bytes@payroll/csv_reader.cpp@s/if \\(start.starts_with\\(\"\\\\xFF\\\\xFE\"\\) \\|\\| start.starts_with\\(\"\\\\xFE\\\\xFF\"\\)\\)/if (false)/@-"
  "spreadsheet-read-as-csv@payroll/csv_reader.cpp@s/if \\(start.starts_with\\(\"PK\\\\x03\\\\x04\"\\)\\) return CsvFault::kZipSpreadsheet;//@-"
  "decimal-comma-taken-in-silence@payroll/file_header.cpp@s/if \\(reader.dialect\\(\\).separator == ';'\\) columns.DoubtDecimalCommas\\(\\);//@-"
  "apostrophe-refused@payroll/strict_amount.cpp@s/if \\(p != last && \\*p == '\\\\''\\)/if (false)/@amount"
  "framer-keeps-what-was-read-ahead-whole@cli/record_framer.cpp@s/last.Scan\\(bytes.data\\(\\), used, size\\);/last.Scan(bytes.data(), used, used + 1);/@-"
  "line-break-copied-into-a-message@payroll/messages.cpp@s/\\} else if \\(c == '\\\\n'\\) \\{/} else if (false) {/@threads"
  "payroll-includes-a-layer-above@payroll/ascii.h@s/#pragma once\\n/#pragma once\\n#include \"computation\\/exact.h\"\\n/@-"
  "windows-streams-in-text-mode@payroll/system/standard_streams_windows.cpp@s/if \\(fd >= 0\\) _setmode\\(fd, _O_BINARY\\);//@windows"
  "killed-windows-run-leaves-its-file@payroll/system/whole_file_windows.cpp@s/\\(void\\)MarkForDeletion\\(handle, true\\);//@windows"
  "ctrl-c-leaves-a-marked-file@payroll/system/temporary_files_windows.cpp@s/if \\(!path.empty\\(\\)\\) DeleteFileW\\(path.c_str\\(\\)\\);//@windows"
  "ctrl-c-ends-as-wine-would@payroll/system/temporary_files_windows.cpp@s/ExitProcess\\(static_cast<UINT>\\(STATUS_CONTROL_C_EXIT\\)\\);/return FALSE;/@windows"
  "same-file-needs-a-volume-serial@payroll/system/input_file_windows.cpp@s/ \\|\\| a.volume == 0 \\|\\| b.volume == 0//@windows"
  "windows-folder-written-over@payroll/system/whole_file_windows.cpp@s/\\(FILE_ATTRIBUTE_DIRECTORY \\| FILE_ATTRIBUTE_READONLY\\)/FILE_ATTRIBUTE_READONLY/@windows"
  "widow-row-at-a-break@report/pagination.h@s/kLeastRowsAtABreak = 2;/kLeastRowsAtABreak = 1;/@-"
  "later-page-names-nobody@report/sheet_layout.cpp@s/      page.Add\\(continued.items, 0\\);\\n//@-"
  "carried-section-unsaid@report/sheet_layout.cpp@s/carriedOver, columns\\)/false, columns)/@-"
  "footnote-without-the-rules@report/sheet_head.cpp@s/note < kRuleNoteCount; \\+\\+note/note < 1; ++note/@-"
  "results-box-one-short@report/sheet_head.cpp@s/for \\(Result result : kResultsAsShown\\) \\{\\n    baseline/for (Result result : std::span(kResultsAsShown.data(), 4)) {\\n    baseline/@-"
  "changed-since-opened-unsaid@report/sheet_head.cpp@s/who.changedSinceOpened \\? /false ? /@-"
  "figures-left-at-the-point@report/placing.cpp@s/isNumber \\? pointX - measure.Width\\(face, whole\\)/isNumber ? pointX/@-"
  "untyped-entries-listed@report/entries_block.cpp@s/if \\(!entry.typed.empty\\(\\)\\) typed/if (true) typed/@-"
  "ligatures-in-latin-text@report/sheet_fonts.cpp@s/  font.setStyleStrategy\\(QFont::PreferNoShaping\\);\\n//@-"
)

selected=("$@")
wanted() {
  [ ${#selected[@]} -eq 0 ] && return 0
  local s
  for s in "${selected[@]}"; do [ "$s" = "$1" ] && return 0; done
  return 1
}

echo "Copying the tree to $scratch"
# A build of another tree would pass for up to date; every run starts afresh.
rm -rf "$scratch/src" "$scratch/build" "$scratch/fuzz" && mkdir -p "$scratch/src"
tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$scratch/src" -xf -
build="$scratch/build"
cmake -S "$scratch/src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLIX_WERROR=OFF >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
fuzz_build="$scratch/fuzz"

run_suite() {
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j "$jobs" --timeout 300 -E '^(install_|debian_package)' \
    >"$scratch/ctest.log" 2>&1 || true
  { grep -E '^\s*[0-9]+ - .* \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)' "$scratch/ctest.log" || true; } |
    sed -E 's/^\s*[0-9]+ - ([^ ]+).*/\1/' | paste -sd ' ' -
}

# The Windows build is made at the first fault planted in it, with a Wine server kept
# running; the Linux tool it is held to is built afresh, free of the faults planted before.
windows_build="$scratch/windows"
prepare_windows() {
  cmake --build "$build" -j "$jobs" --target varnolix-assess >/dev/null
  [ -d "$windows_build/wine" ] && return
  export WINEPREFIX="$windows_build/wine" WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
  cmake -S "$scratch/src" -B "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$scratch/src/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLIX_GUI=OFF -DVARNOLIX_LINUX_ASSESS="$build/cli/varnolix-assess" >/dev/null
}

run_windows_suite() {
  cmake --build "$windows_build" -j "$jobs" >"$scratch/build.log" 2>&1 || { echo "(does not compile)"; return; }
  ctest --test-dir "$windows_build" -j "$jobs" --timeout 300 -E windows_zip >"$scratch/ctest.log" 2>&1 || true
  { grep -E '^\s*[0-9]+ - .* \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)' "$scratch/ctest.log" || true; } |
    sed -E 's/^\s*[0-9]+ - ([^ ]+).*/\1/' | paste -sd ' ' -
}

run_fuzzer() {
  local target=$1
  cmake -S "$scratch/src" -B "$fuzz_build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARNOLIX_FUZZ=ON -DVARNOLIX_GUI=OFF -DVARNOLIX_TESTS=OFF >/dev/null
  cmake --build "$fuzz_build" -j "$jobs" --target "${target}_fuzz" >/dev/null 2>&1 || { echo "(fuzz build failed)"; return; }
  local corpus="$scratch/corpus-$target"
  rm -rf "$corpus" && cp -r "$scratch/src/tests/fuzz/corpus/$target" "$corpus"
  if "$fuzz_build/tests/fuzz/${target}_fuzz" -max_total_time="$fuzz_seconds" -artifact_prefix="$scratch/" "$corpus" \
      >"$scratch/fuzz.log" 2>&1; then
    echo ""
  else
    echo "${target}_fuzz"
  fi
}

printf '%-34s %s\n' "FAULT" "CAUGHT BY"
for entry in "${faults[@]}"; do
  IFS='@' read -r name file substitution fuzz <<<"$entry"
  wanted "$name" || continue
  target="$scratch/src/$file"
  cp "$target" "$scratch/pristine"
  perl -0pi -e "$substitution" "$target"
  if cmp -s "$target" "$scratch/pristine"; then
    printf '%-34s %s\n' "$name" "(NOT PLANTED: the code it changes is gone)"
    continue
  fi
  if [ "$fuzz" = windows ]; then
    prepare_windows
    caught=$(run_windows_suite)
  elif ! cmake --build "$build" -j "$jobs" >"$scratch/build.log" 2>&1; then
    caught="(does not compile)"
  else
    caught=$(run_suite)
    if [ "$fuzz" != "-" ]; then caught="$caught $(run_fuzzer "$fuzz")"; fi
  fi
  caught=$(echo "$caught" | xargs)
  printf '%-34s %s\n' "$name" "${caught:-NOTHING}"
  cp "$scratch/pristine" "$target"
done
cmake --build "$build" -j "$jobs" >/dev/null 2>&1 || true
