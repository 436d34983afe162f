# The Windows program's own pieces: its icon and version resource, and the folder it
# runs from, laid out in the build's bin folder (so the tests run as the program will)
# and installed the same way (the installer's and the portable copy's contents).
#
# bin/  mirvane.exe, mirvane-hesap.exe, mirvane-zip.dll, Qt's DLLs, the C and C++
#       runtimes, qt.conf, platforms/qwindows.dll, styles/qwindowsvistastyle.dll,
#       translations/qtbase_tr.qm, fonts/ (the report's face, registered when missing)

set(windows_bin ${PROJECT_BINARY_DIR}/bin)

# The icon: every size the shell and the task bar ask for, drawn from the SVG.
set(windows_icon ${CMAKE_CURRENT_BINARY_DIR}/mirvane.ico)
add_custom_command(OUTPUT ${windows_icon}
  COMMAND svg-to-png --ico ${PROJECT_SOURCE_DIR}/resources/program-icon.svg ${windows_icon}
          16 20 24 32 40 48 64 256
  DEPENDS svg-to-png ${PROJECT_SOURCE_DIR}/resources/program-icon.svg
  COMMENT "Drawing the Windows icon")
add_custom_target(windows-icon ALL DEPENDS ${windows_icon})

# The version resource Explorer's properties and the installer's list show.
set(MIRVANE_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
foreach(program mirvane mirvane-hesap)
  if(program STREQUAL "mirvane")
    set(MIRVANE_RC_DESCRIPTION "Mirvane faiz hesaplama programı")
  else()
    set(MIRVANE_RC_DESCRIPTION "Mirvane faiz hesaplama (komut satırı)")
  endif()
  set(MIRVANE_RC_FILE ${program}.exe)
  set(MIRVANE_RC_ICON ${windows_icon})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/program.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${program}.rc PROPERTIES
    OBJECT_DEPENDS ${windows_icon})
  target_sources(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
  add_dependencies(${program} windows-icon)
endforeach()

# What the programs need beside them. Qt's test module and the window-less platform are
# for the tests only and are not installed.
set(qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(qt_dlls ${qt_bin}/Qt6Core.dll ${qt_bin}/Qt6Gui.dll ${qt_bin}/Qt6Widgets.dll
            ${qt_bin}/Qt6Network.dll)
foreach(runtime libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "The compiler's ${runtime} was not found")
  endif()
  get_filename_component(runtime_path ${runtime_path} REALPATH)
  list(APPEND qt_dlls ${runtime_path})
endforeach()
set(platform_plugin ${qt_plugins}/platforms/qwindows.dll)
set(style_plugin ${qt_plugins}/styles/qwindowsvistastyle.dll)
set(MIRVANE_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "Folder of Qt's translations (qt6-translations-l10n)")
set(qt_translation ${MIRVANE_QT_TRANSLATIONS}/qtbase_tr.qm)
# The face the report embeds and the windows fall back on where Windows has neither
# Arial nor MS Sans Serif (Liberation Sans has Arial's widths).
set(MIRVANE_FONT_FOLDER /usr/share/fonts/truetype/liberation2 CACHE PATH
    "Folder of Liberation Sans (fonts-liberation2)")
set(bundled_fonts ${MIRVANE_FONT_FOLDER}/LiberationSans-Regular.ttf
                  ${MIRVANE_FONT_FOLDER}/LiberationSans-Bold.ttf)
set(font_licence /usr/share/doc/fonts-liberation2/copyright)
foreach(file ${platform_plugin} ${style_plugin} ${qt_translation} ${bundled_fonts})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "Needed for the Windows program and missing: ${file}")
  endif()
endforeach()
set(qt_conf ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt.conf)

add_custom_target(windows-runtime ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${windows_bin}/platforms ${windows_bin}/styles
          ${windows_bin}/translations ${windows_bin}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_dlls} ${qt_bin}/Qt6Test.dll ${qt_conf}
          ${windows_bin}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platform_plugin}
          ${qt_plugins}/platforms/qoffscreen.dll ${windows_bin}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${style_plugin} ${windows_bin}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_translation} ${windows_bin}/translations
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${bundled_fonts} ${windows_bin}/fonts
  COMMENT "Putting Qt's DLLs, plugins, texts and the fonts beside the programs"
  VERBATIM)

install(FILES ${qt_dlls} ${qt_conf} DESTINATION bin)
install(FILES ${platform_plugin} DESTINATION bin/platforms)
install(FILES ${style_plugin} DESTINATION bin/styles)
install(FILES ${qt_translation} DESTINATION bin/translations)
install(FILES ${bundled_fonts} DESTINATION bin/fonts)
if(EXISTS ${font_licence})
  install(FILES ${font_licence} DESTINATION bin/fonts RENAME LICENSE-LiberationSans.txt)
endif()
install(FILES ${windows_icon} DESTINATION bin)
