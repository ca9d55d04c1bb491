# The curve placed in the world by korvane-draw: the coordinate table and the
# J-LandXML file of a design are read back by Python's csv and XML readers
# (check_coordinates.py) and the J-LandXML is validated against the vendored
# J-LandXML schema with xmllint.

set(world ${CMAKE_CURRENT_BINARY_DIR}/world)
file(MAKE_DIRECTORY ${world})
set(world_points --bp -1234.5678 5678.9012 --ip -1100.0000 5800.0000 --ep -1000.0000 5700.0000)
set(world_coordinates -1234.5678 5678.9012 -1100.0000 5800.0000 -1000.0000 5700.0000)

# From the options, table in cp932.
add_test(NAME korvane_draw_placement_options
         COMMAND korvane-draw ${KORVANE_BIN_DIR}/sample_design.dat ${world}/options.dxf
                 --temp ${world}/options_temp.dxf ${world_points} --zone 9 --route 国道1号
                 --coordinates ${world}/options.csv --landxml ${world}/options.xml)
set_tests_properties(korvane_draw_placement_options PROPERTIES
  FIXTURES_SETUP world_options LABELS tools)

# From a design file's [placement] section (stations from the other end),
# table in UTF-8 with a byte-order mark.
set(world_design ${world}/design.rvd)
file(WRITE ${world_design}
  "# Rovena 設計ファイル\n[design]\nformat = 1\n\n[placement]\nzone = 6\nroute = \"R&D <1>\"\n"
  "bp = 5000 -3000\nip = 5200 -3000\nep = 5350 -2800\n")
file(READ ${PROJECT_SOURCE_DIR}/data/sample_design.dat sample_parameters)
string(REPLACE "\nL\n" "\nR\n" from_right_parameters "${sample_parameters}")
file(WRITE ${world}/from_right.dat "${from_right_parameters}")
add_test(NAME korvane_draw_placement_file
         COMMAND korvane-draw ${world}/from_right.dat ${world}/design.dxf
                 --temp ${world}/design_temp.dxf --placement ${world_design}
                 --coordinates ${world}/design.csv --utf8 --landxml ${world}/design.xml)
set_tests_properties(korvane_draw_placement_file PROPERTIES
  FIXTURES_SETUP world_design LABELS tools)

# A design file that holds its placement is drawn from the derived IA exactly
# as the same design with the same points given as options.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/sample.rvd sample_design_text)
file(WRITE ${world}/placed.rvd "${sample_design_text}\n[placement]\nzone = 9\nroute = 国道1号\n"
  "bp = -1234.5678 5678.9012\nip = -1100.0000 5800.0000\nep = -1000.0000 5700.0000\n")
add_test(NAME korvane_draw_placed_design
         COMMAND korvane-draw ${world}/placed.rvd ${world}/placed.dxf)
set_tests_properties(korvane_draw_placed_design PROPERTIES FIXTURES_SETUP world_placed LABELS tools)
add_test(NAME korvane_draw_placed_design_same_drawing
         COMMAND ${CMAKE_COMMAND} -E compare_files ${world}/options.dxf ${world}/placed.dxf)
set_tests_properties(korvane_draw_placed_design_same_drawing PROPERTIES
  FIXTURES_REQUIRED "world_options;world_placed" LABELS tools)

# Refusals: a placement that does not fit the curve, and options that do not
# go together.
korvane_draw_refuses(korvane_draw_placement_too_short "BP から IP までの距離 10.000 m が接線長"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf
                     --temp ${world}/never_temp.dxf --bp 0 0 --ip 10 0 --ep 10 100 --zone 9)
korvane_draw_refuses(korvane_draw_placement_without_zone "--bp, --ip, --ep and --zone go together"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf ${world_points})
korvane_draw_refuses(korvane_draw_coordinates_without_placement
                     "--coordinates, --landxml and --route need a placement"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf --coordinates ${world}/never.csv)

# Repeated options are refused, as a placement file refuses a repeated key;
# numbers are decimal (no hexadecimal, infinity or NaN).
korvane_draw_refuses(korvane_draw_option_twice "--zone is given twice"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf ${world_points} --zone 9 --zone 8)
korvane_draw_refuses(korvane_draw_point_twice "--bp is given twice"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf ${world_points} --bp 0 0 --zone 9)
korvane_draw_refuses(korvane_draw_hexadecimal_zone "系番号は 1 から 19 です: 0x9"
                     ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf ${world_points} --zone 0x9)
foreach(value 0x10 inf nan)
  korvane_draw_refuses(korvane_draw_point_${value} "ep の座標が読めません"
                       ${KORVANE_BIN_DIR}/sample_design.dat ${world}/never.dxf
                       --bp -1234.5678 5678.9012 --ip -1100.0000 5800.0000 --ep -1000.0000 ${value} --zone 9)
endforeach()

# A bare parameter file too: the library's reader would take 0xFA for 250.
foreach(number 0xFA -INF nan)
  string(REGEX REPLACE "^250\n" "${number}\n" non_decimal_parameters "${sample_parameters}")
  file(WRITE ${world}/non_decimal_${number}.dat "${non_decimal_parameters}")
  korvane_draw_refuses(korvane_draw_parameter_file_${number} "\"${number}\" is not a decimal number"
                       ${world}/non_decimal_${number}.dat ${world}/never.dxf)
endforeach()

# The three outputs are written all or none.
if(UNIX)
  add_test(NAME korvane_draw_outputs_all_or_none
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/outputs_all_or_none.sh $<TARGET_FILE:korvane-draw>
                   ${KORVANE_BIN_DIR}/sample_design.dat)
  set_tests_properties(korvane_draw_outputs_all_or_none PROPERTIES LABELS tools)
endif()

foreach(run options design)
  landxml_schema_test(landxml_schema_${run} ${world}/${run}.xml world_${run})
endforeach()

if(TOOLS_PYTHON)
  add_test(NAME check_coordinates_options
           COMMAND ${TOOLS_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/check_coordinates.py
                   ${world}/options.csv ${world}/options.xml cp932 20 ${world_coordinates})
  set_tests_properties(check_coordinates_options PROPERTIES FIXTURES_REQUIRED world_options LABELS tools)
  add_test(NAME check_coordinates_design
           COMMAND ${TOOLS_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/check_coordinates.py
                   ${world}/design.csv ${world}/design.xml utf-8-sig 20 5000 -3000 5200 -3000 5350 -2800)
  set_tests_properties(check_coordinates_design PROPERTIES FIXTURES_REQUIRED world_design LABELS tools)
endif()

# The drawing made from the derived IA is a valid drawing too.
if(KORVANE_CHECK_PYTHON)
  add_test(NAME check_dxf_placement_options
           COMMAND ${KORVANE_CHECK_PYTHON} ${check_dxf} ${world}/options.dxf "K.A." "K.E.")
  set_tests_properties(check_dxf_placement_options PROPERTIES FIXTURES_REQUIRED world_options LABELS tools)
endif()
