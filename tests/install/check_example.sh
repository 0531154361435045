#!/bin/sh
# SPDX-License-Identifier: BSD-3-Clause
# Builds the example as a project of its own and runs its self-test offscreen, either against
# this build installed into a scratch prefix (with a pkg-config build of a small program beside
# it, and the installed Designer plugin loaded through QUiLoader), or with the library's folder
# added to the example's build; that build's library, static, is then installed and the example
# built against it too. The packages route makes the Debian packages, has lintian check them
# (errors fail, warnings are shown), unpacks them into a scratch root, loads the plugin and builds
# the example against what they hold.
#   check_example.sh installed    CMAKE BUILD_DIR  EXAMPLE_DIR WORK_DIR
#   check_example.sh subdirectory CMAKE SOURCE_DIR EXAMPLE_DIR WORK_DIR
#   check_example.sh packages     CMAKE BUILD_DIR  EXAMPLE_DIR WORK_DIR
set -eu
route=$1 cmake=$2 from=$3 example=$4 work=$5
rm -rf "$work"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

if [ "$route" = packages ]; then
    "$(dirname "$cmake")/cpack" --config "$from/CPackConfig.cmake" -G DEB -B "$work/debs" > "$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log"; exit 1; }
    lintian --tag-display-limit 0 "$work"/debs/*.deb > "$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    for deb in "$work"/debs/*.deb; do
        echo "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version): $(dpkg-deb -c "$deb" | grep -vc '/$') files"
        dpkg-deb -x "$deb" "$work/root"
    done
    echo "lintian: $(grep -c '^E:' "$work/lintian.log") errors, $(grep -c '^W:' "$work/lintian.log") warnings"
    if grep -q '^E:' "$work/lintian.log"; then
        exit 1
    fi
    # Designer looks in Qt's own plugin folder.
    plugins=$(/usr/lib/qt6/bin/qtpaths6 --query QT_INSTALL_PLUGINS)
    ls "$work/root$plugins"/designer/libkvlistexdesigner.so
    prefix=$work/root/usr
elif [ "$route" = installed ]; then
    prefix=$work/prefix
    "$cmake" --install "$from" --prefix "$prefix" > "$work/install.log"
fi

if [ "$route" != subdirectory ]; then
    if find "$prefix/include" -name '*_p.h' | grep .; then
        echo "private headers installed" >&2
        exit 1
    fi
    libdir=$(dirname "$(find "$prefix" -name 'libKvListEx.so.*' | head -n 1)")

    # The installed Designer plugin, loaded by a program that does not link the library, finds the
    # library from where it lies: no LD_LIBRARY_PATH.
    cat > "$work/uiload.cpp" <<'CPP'
#include <QApplication>
#include <QUiLoader>
#include <QWidget>
#include <cstdio>
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QString::fromLocal8Bit(argv[1]));
    const QWidget *list = loader.createWidget(QStringLiteral("KvListEx::ListEx"));
    std::printf("installed Designer plugin: %s\n", list ? list->metaObject()->className() : "not loaded");
    return list && list->inherits("KvListEx::ListEx") ? 0 : 1;
}
CPP
    # shellcheck disable=SC2046  # pkg-config's words are separate arguments
    c++ -std=c++17 -fPIC -o "$work/uiload" "$work/uiload.cpp" $(pkg-config --cflags --libs Qt6UiTools Qt6Widgets)
    plugin=$(find "$prefix" -name libkvlistexdesigner.so)
    env -u LD_LIBRARY_PATH timeout 60 "$work/uiload" "$(dirname "$plugin")"

    export LD_LIBRARY_PATH="$libdir"
    set -- "-DCMAKE_PREFIX_PATH=$prefix"

    # A program built with pkg-config alone: the header's version is the library's.
    cat > "$work/pc.cpp" <<'CPP'
#include <KvListEx/kvlistex_version.h>
#include <KvListEx/listex.h>
#include <QApplication>
#include <cstdio>
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    KvListEx::ListEx list;
    list.addItem(QStringLiteral("one"));
    std::printf("pkg-config build: KvListEx %s, header %s\n", qPrintable(KvListEx::version()), KVLISTEX_VERSION_STRING);
    return list.count() == 1 && KvListEx::version() == QLatin1String(KVLISTEX_VERSION_STRING) ? 0 : 1;
}
CPP
    # shellcheck disable=SC2046  # pkg-config's words are separate arguments
    c++ -std=c++17 -fPIC -o "$work/pc" "$work/pc.cpp" \
        $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs KvListEx)
    timeout 60 "$work/pc"
else
    set -- "-DKVLISTEX_SOURCE_DIR=$from"
fi

# example BUILD_DIR CMAKE_ARGS...: configures, builds and runs the example.
example() {
    build=$1
    shift
    "$cmake" -S "$example" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" > "$build.log" \
        || { cat "$build.log"; exit 1; }
    "$cmake" --build "$build" >> "$build.log" || { cat "$build.log"; exit 1; }
    timeout 60 "$build/listexconsumer" --self-test
}

example "$work/build" "$@"
if [ "$route" = subdirectory ]; then
    "$cmake" --install "$work/build" --prefix "$work/static" > "$work/install.log"
    example "$work/build-static" "-DCMAKE_PREFIX_PATH=$work/static"
fi
