# korvane-route end to end: the worked route of the documentation (a basic
# curve, an S joint, an egg curve) written as an IP table by an independent
# model of it (route_reference.py), computed by korvane-route into every
# output, and each output read back by readers of its own: the table against
# the model's numerical integration, the stakes, the SIMA records, the
# J-LandXML (also against the schema with xmllint), the calculation sheet
# against the table, and the plan drawing by ezdxf and GDAL. Then the refusals: each a message naming the option,
# or the row and column, with the text found, and nothing written.

set(route ${CMAKE_CURRENT_BINARY_DIR}/route)
file(MAKE_DIRECTORY ${route})
if(NOT TOOLS_PYTHON)
  message(WARNING "python3 not found: the korvane-route checks are not registered")
  return()
endif()
set(reference ${CMAKE_CURRENT_SOURCE_DIR}/route_reference.py)
set(outputs ${CMAKE_CURRENT_SOURCE_DIR}/check_route_outputs.py)

add_test(NAME korvane_route_help COMMAND korvane-route --help)
set_tests_properties(korvane_route_help PROPERTIES
  PASS_REGULAR_EXPRESSION "Usage: korvane-route IPS.csv\\|ROUTE.rvr" LABELS tools)

add_test(NAME route_worked_ips COMMAND ${TOOLS_PYTHON} ${reference} ips worked ${route}/worked.csv cp932)
set_tests_properties(route_worked_ips PROPERTIES FIXTURES_SETUP route_ips LABELS tools)

add_test(NAME korvane_route_worked
         COMMAND korvane-route ${route}/worked.csv --name 県道1号 --zone 9 --speed 60 --widths 5.5 6
                 --table ${route}/worked_table.csv --stakes ${route}/worked_stakes.csv --sima ${route}/worked.sim
                 --landxml ${route}/worked.xml --report ${route}/worked.txt --save ${route}/worked.rvr
                 --plan ${route}/worked_plan.dxf)
set_tests_properties(korvane_route_worked PROPERTIES
  FIXTURES_REQUIRED route_ips FIXTURES_SETUP route_worked LABELS tools)

# BP at 1000, a pitch of 25, an equation ahead and one back; UTF-8 tables.
add_test(NAME korvane_route_equations
         COMMAND korvane-route ${route}/worked.csv --start 1000 --pitch 25 --equation 1200=1250
                 --equation 1700=1690 --table ${route}/equations.csv --utf8 --landxml ${route}/equations.xml)
set_tests_properties(korvane_route_equations PROPERTIES
  FIXTURES_REQUIRED route_ips FIXTURES_SETUP route_equations LABELS tools)

# The saved route file computes to the same table.
add_test(NAME korvane_route_from_route_file
         COMMAND korvane-route ${route}/worked.rvr --table ${route}/worked_again.csv)
set_tests_properties(korvane_route_from_route_file PROPERTIES
  FIXTURES_REQUIRED route_worked FIXTURES_SETUP route_again LABELS tools)
add_test(NAME korvane_route_route_file_same_table
         COMMAND ${CMAKE_COMMAND} -E compare_files ${route}/worked_table.csv ${route}/worked_again.csv)
set_tests_properties(korvane_route_route_file_same_table PROPERTIES FIXTURES_REQUIRED route_again LABELS tools)

function(route_check name fixture)
  add_test(NAME check_route_${name} COMMAND ${TOOLS_PYTHON} ${ARGN})
  set_tests_properties(check_route_${name} PROPERTIES FIXTURES_REQUIRED ${fixture} LABELS tools)
endfunction()
route_check(table route_worked ${reference} table worked ${route}/worked_table.csv cp932 0 20)
route_check(equations_table route_equations
            ${reference} table worked ${route}/equations.csv utf-8-sig 1000 25 1200=1250 1700=1690)
route_check(stakes route_worked ${outputs} stakes ${route}/worked_stakes.csv ${route}/worked_table.csv cp932 5.5 6)
route_check(sima route_worked ${outputs} sima ${route}/worked.sim ${route}/worked_table.csv cp932)
route_check(landxml route_worked
            ${outputs} landxml ${route}/worked.xml ${route}/worked_table.csv cp932 ${route}/worked.csv)
route_check(equations_landxml route_equations ${outputs} landxml ${route}/equations.xml ${route}/equations.csv
            utf-8-sig ${route}/worked.csv 1200=1250@1200 1700=1690@1650)
route_check(report route_worked ${outputs} report ${route}/worked.txt cp932 ${route}/worked_table.csv cp932)

# The plan: 14 elements of the line (3 straights, 4 arcs, 7 clothoids), the
# 4 legs of the IP polygon dashed, and on the text layer a tick and a label
# for each of the table's 63 rows and the 8 + 8 + 9 lines of the IP tables;
# GDAL reads as many features per layer.
if(KORVANE_CHECK_PYTHON)
  add_test(NAME check_route_plan
           COMMAND ${KORVANE_CHECK_PYTHON} ${check_dxf} ${route}/worked_plan.dxf
                   --features D-BMK=14 --features D-BMK-IP=4 --features D-BMK-HTXT=151 --dashed D-BMK-IP
                   "IP3" "IA = 65°00′00.0″ 右" "R2 = 150.000" "KA1-2=KA2-1 NO.14+2.673" "NO.49"
                   "EP NO.49+12.559")
  set_tests_properties(check_route_plan PROPERTIES FIXTURES_REQUIRED route_worked LABELS tools)
endif()

foreach(run worked equations)
  landxml_schema_test(route_landxml_schema_${run} ${route}/${run}.xml route_${run})
endforeach()

# A refusal: exit status 1, the message among the output (run_expecting.sh),
# and the file ABSENT not written.
function(korvane_route_refuses name message absent)
  add_test(NAME korvane_route_refuses_${name}
           COMMAND sh -c "sh \"$@\" && test ! -e \"$0\""
                   ${absent} ${PROJECT_SOURCE_DIR}/tests/run_expecting.sh 1 "${message}"
                   $<TARGET_FILE:korvane-route> ${ARGN})
  set_tests_properties(korvane_route_refuses_${name} PROPERTIES LABELS tools)
endfunction()

set(refused ${route}/refused)
file(MAKE_DIRECTORY ${refused})
file(WRITE ${refused}/bad_cell.csv "点名,X,Y,A1,R,A2\nBP,0,0\nIP1,100,0x10,,50\nEP,100,100\n")
file(WRITE ${refused}/corner.csv "点名,X,Y,R\nBP,0,0,\nIP1,100,0,50\nEP,100,100,\n")
set(corner ${refused}/corner.csv)
set(never ${refused}/never.csv)
korvane_route_refuses(bad_cell "korvane-route: IP 表（CSV）3行目「Y」列の「0x10」は数値ではありません。" ${never}
                      ${refused}/bad_cell.csv --table ${never})
korvane_route_refuses(repeated_option "korvane-route: --pitch が二度あります（一度だけ指定できます）。" ${never}
                      ${corner} --pitch 20 --pitch 25 --table ${never})
korvane_route_refuses(infinite_pitch "korvane-route: --pitch の値「inf」は数値ではありません（小数で書きます）。" ${never}
                      ${corner} --pitch inf --table ${never})
korvane_route_refuses(hexadecimal_zone "korvane-route: --zone の値「0x10」は数値ではありません（小数で書きます）。" ${never}
                      ${corner} --zone 0x10 --table ${never})
korvane_route_refuses(equation_without_ahead
                      "korvane-route: --equation の値「1200」は BACK=AHEAD の二つの数値（例 1234.567=1240）ではありません。"
                      ${never} ${corner} --equation 1200 --table ${never})
korvane_route_refuses(zone_out_of_range "korvane-route: 設定: zone の値「25」は 0 から 19 の整数です。" ${never}
                      ${corner} --zone 25 --table ${never})
korvane_route_refuses(unknown_option "korvane-route: 知らないオプションです: --colour" ${never}
                      ${corner} --colour red --table ${never})
korvane_route_refuses(missing_value "korvane-route: --sima に値がありません。" ${never} ${corner} --sima)
korvane_route_refuses(output_is_input "korvane-route: --table の「${corner}」は入力か別の出力と同じファイルです。" ${never}
                      ${corner} --sima ${never} --table ${corner})
korvane_route_refuses(stakes_without_widths "korvane-route: 幅杭の幅（左右）が指定されていません。" ${never}
                      ${corner} --table ${never} --stakes ${refused}/never_stakes.csv)
korvane_route_refuses(scale_without_plan "korvane-route: --scale は --plan とともに使います。" ${never}
                      ${corner} --scale 500 --table ${never})
korvane_route_refuses(scale_not_whole "korvane-route: --scale の値「1e3」は縮尺 1/N の N（整数、例 1000）ではありません。"
                      ${never} ${corner} --plan ${never} --scale 1e3)
korvane_route_refuses(scale_zero "korvane-route: 平面図の縮尺 1/0 は描けません（1/1 から 1/100000 まで）。" ${never}
                      ${corner} --plan ${never} --scale 0)
korvane_route_refuses(no_input "korvane-route: 入力ファイル（IP 表の CSV、路線ファイルか LandXML）がありません。" ${never}
                      --table ${never})

# A LandXML file as the input: its alignments to choose from, the one chosen
# by --alignment read into a table and a SIMA file.
file(WRITE ${refused}/two.xml "<LandXML><Alignments>\
<Alignment name=\"本線\"><CoordGeom><Line><Start>0 0</Start><End>0 100</End></Line></CoordGeom></Alignment>\
<Alignment name=\"側道\"><CoordGeom><Line><Start>10 0</Start><End>10 100</End></Line></CoordGeom></Alignment>\
</Alignments></LandXML>\n")
korvane_route_refuses(landxml_alignment_unnamed
                      "korvane-route: LandXML ファイルには線形が 2 本あります（「本線」、「側道」）。読む線形を名前で指定してください。"
                      ${never} ${refused}/two.xml --table ${never})
if(UNIX)
  add_test(NAME korvane_route_landxml_alignment_chosen
           COMMAND sh -c "rm -f \"$2.csv\" \"$2.sim\" && \"$0\" \"$1\" --alignment 側道 --table \"$2.csv\" --sima \"$2.sim\" --utf8 && \
grep -q '^EP,NO.5+0.000,100.0000,100.0000,10.0000,100.0000,090' \"$2.csv\" && test -s \"$2.sim\""
                   $<TARGET_FILE:korvane-route> ${refused}/two.xml ${route}/side_road)
  set_tests_properties(korvane_route_landxml_alignment_chosen PROPERTIES LABELS tools)
endif()

# One output that cannot be written: nothing is written, an earlier file
# stays as it was, and no staged or temporary file is left behind.
set(partial ${route}/partial)
add_test(NAME korvane_route_all_or_nothing
         COMMAND sh -c "rm -rf \"$2\" && mkdir -p \"$2\" && printf earlier > \"$2/table.csv\" && \
if \"$0\" \"$1\" --table \"$2/table.csv\" --sima \"$2/points.sim\" --landxml \"$2/missing/route.xml\"; then exit 1; fi; \
test \"$(cat \"$2/table.csv\")\" = earlier && test \"$(ls -A \"$2\")\" = table.csv"
                 $<TARGET_FILE:korvane-route> ${corner} ${partial})
set_tests_properties(korvane_route_all_or_nothing PROPERTIES LABELS tools)

# The run's private folder (the settings file) is gone afterwards.
if(UNIX)
  add_test(NAME korvane_route_private_folder_removed
           COMMAND sh -c "d=$(mktemp -d) && TMPDIR=$d \"$0\" \"$1\" --zone 9 --table \"$2\" && test -s \"$2\" && test -z \"$(ls -A $d)\" && rmdir $d"
                   $<TARGET_FILE:korvane-route> ${corner} ${route}/private_folder.csv)
  set_tests_properties(korvane_route_private_folder_removed PROPERTIES LABELS tools)
endif()
