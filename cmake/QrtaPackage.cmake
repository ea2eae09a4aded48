# The manual pages and the Debian package (scripts/package: cpack -G DEB).
include(GNUInstallDirs)

# Manual pages are kept as sources in docs/man and installed gzipped, as Debian has them.
find_program(QRTA_GZIP gzip REQUIRED)
set(man_pages qrta-cli.1)
if(QRTA_GUI)
    list(APPEND man_pages qrta.1)
endif()
set(man_gz)
foreach(page IN LISTS man_pages)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
    set(copy ${PROJECT_BINARY_DIR}/man/${page})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${QRTA_GZIP} -9nf ${copy}
        DEPENDS ${source}
        COMMENT "Compressing the manual page ${page}"
        VERBATIM)
    list(APPEND man_gz ${copy}.gz)
endforeach()
add_custom_target(qrta_man ALL DEPENDS ${man_gz})
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "晨曦 <qrta@chenxi.cn>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "晨曦 <qrta@chenxi.cn>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://chenxi.cn/qrta")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Libraries are found by dpkg-shlibdeps from what the programs link; the pages and windows
# also need a Chinese font, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, qt6-translations-l10n")
# The summary line (CPack puts it first) is English, so that apt search finds it on any
# system; the rest is the program's own language.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "mental arithmetic drills for primary school (Chinese)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "晨曦算苑：小学生口算练习。十种题型从加法到四则混合，每种分几级难度。
.
 * 出练习卷和答案，预览、打印、存成 PDF 或导出 Excel 工作簿，全班每人一份不同的卷子；
 * 在电脑上限时测试，自动批改，保存成绩，错题本和成绩曲线；
 * 24点游戏，有提示和全部解法。
.
qrta-cli 不开窗口出卷子、读成绩，适合老师和脚本。所有内容都在本机，不需要联网。")
include(CPack)
