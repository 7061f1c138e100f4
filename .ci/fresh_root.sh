#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Quick start as a newcomer meets it. In a fresh minimal Debian root of the
# release SUITE (apt, git and sudo only), a user with sudo clones the project and
# runs ./run.sh, whose window must open on the X server of $DISPLAY and is then
# closed; ./run.sh test must then pass in the same root. Then ./run.sh package,
# from a fresh clone, must build the .deb, and ./run.sh windows, from another,
# the Windows program and its installer, which are copied to OUT_DIR: in a
# second fresh root, or with --package-in-same-root in the first one. Packages
# come from the Debian mirror the host's apt uses; with --without-security not
# from its security suite, as on a machine installed and never updated.
#   .ci/fresh_root.sh SUITE OUT_DIR [--package-in-same-root] [--without-security]
#   (as root; needs mmdebstrap, git, xdotool)
set -euo pipefail
# The system's own tools only (mmdebstrap's helpers run with the first python3 found).
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
usage="usage: $0 SUITE OUT_DIR [--package-in-same-root] [--without-security]"
suite=${1:?$usage}
out=$(realpath -m "${2:?$usage}")
package_root=second
security=yes
for option in "${@:3}"; do
    case $option in
        --package-in-same-root) package_root=same ;;
        --without-security) security=no ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
source_dir=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
title='Числова редица'
user=pupil uid=1000

[ "$(id -u)" -eq 0 ] || { echo "fresh root: needs root" >&2; exit 1; }
display=${DISPLAY:?fresh root: needs an X server in DISPLAY}
display=${display#*:}
[ -S "/tmp/.X11-unix/X${display%%.*}" ] || { echo "fresh root: no socket for DISPLAY=$DISPLAY" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d "/var/tmp/fresh-root-$suite.XXXXXX")
roots=()
run_pid=
unmount_root() {
    local target
    # Deepest first; each bind is a slave of the host's, so nothing reaches the host.
    for target in $(findmnt -rn -o TARGET | grep -F "$1/" | sort -r); do
        umount "$target" || return 1
    done
}
cleanup() {
    local root status=0
    if [ -n "$run_pid" ] && kill -0 "$run_pid" 2>/dev/null; then
        kill "$run_pid"
        wait "$run_pid" || true
    fi
    for root in "${roots[@]}"; do unmount_root "$root" || status=1; done
    # Never delete through a bind mount into the host's /dev, /proc, /sys or /tmp.
    if findmnt -rn -o TARGET | grep -qF "$work/"; then
        echo "fresh root: mounts left under $work, not removing it" >&2
        return 1
    fi
    rm -rf "$work"
    return $status
}
trap cleanup EXIT

elapsed() { printf '%d:%02d' $(((SECONDS - $1) / 60)) $(((SECONDS - $1) % 60)); }

# The mirrors the host's apt uses for Debian, asked for SUITE instead of the
# host's own release: its main suite, and its -updates and -security where the
# host has those.
host_suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
apt-get update -q >/dev/null
apt-cache policy | awk -v host="$host_suite" -v want="$suite" -v security="$security" '
    $2 ~ /^[a-z+]+:\/\// && $3 ~ /\// { uri = $2; split($3, s, "/"); next }
    $1 == "release" && uri != "" {
        if ($2 ~ /(^|,)o=Debian(,|$)/ && index(s[1], host) == 1) {
            rest = substr(s[1], length(host) + 1)
            if (rest == "" || (rest ~ /^-/ && (security == "yes" || rest != "-security")))
                print "deb " uri " " want rest " " s[2]
        }
        uri = ""
    }' | sort -u >"$work/sources.list"
[ -s "$work/sources.list" ] || { echo "fresh root: the host's apt has no Debian source" >&2; exit 1; }
echo "fresh root: $suite from"
sed 's/^/    /' "$work/sources.list"

# One apt cache for both roots, bound in, so each package is downloaded once.
cache=$work/apt-cache
mkdir -p "$cache/partial"

start=$SECONDS
# Manuals and documentation are left out, in the root and in what it installs later.
# passwd brings useradd, which Debian 13's minimal root lacks.
mmdebstrap --variant=apt --include=ca-certificates,git,sudo,passwd \
    --aptopt='Acquire::Languages "none"' \
    --dpkgopt='path-exclude=/usr/share/man/*' \
    --dpkgopt='path-exclude=/usr/share/doc/*' \
    --dpkgopt='path-include=/usr/share/doc/*/copyright' \
    --dpkgopt='path-exclude=/usr/share/info/*' \
    --skip=essential/unlink \
    --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
    --setup-hook="mount --bind '$cache' \"\$1/var/cache/apt/archives\"" \
    --customize-hook='umount "$1/var/cache/apt/archives"' \
    "$suite" "$work/root.tar" "$work/sources.list"
echo "fresh root: bootstrapped in $(elapsed $start)"

# What the newcomer clones: the commit this checkout is at.
git clone --quiet --bare "$source_dir" "$work/chislova-redica.git"

# new_root NAME: sets root to a fresh copy of the bootstrapped root, with a user
# who may use sudo, the host's name server, kernel file systems and X socket,
# and the shared apt cache bound in.
new_root() {
    local dir
    root=$work/$1
    mkdir "$root"
    roots+=("$root")
    tar -C "$root" --numeric-owner -xpf "$work/root.tar"
    # A minimal root may have no shadow files and writes its groups its own way:
    # the system's tools know how.
    chroot "$root" pwconv
    chroot "$root" grpconv
    chroot "$root" useradd --create-home --uid "$uid" --user-group --groups sudo \
        --shell /bin/bash "$user"
    echo "$user ALL=(ALL:ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$user"
    chmod 0440 "$root/etc/sudoers.d/$user"
    # sudo looks up the machine's own name; a minimal root may have no hosts file.
    [ -s "$root/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n' "$(hostname)" >"$root/etc/hosts"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # The network this machine sits in may present its own certificate
    # authorities; the root trusts what the host trusts, as the host's name
    # server is its name server.
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
        chroot "$root" update-ca-certificates >/dev/null
    fi
    for dir in proc dev sys; do
        mount --rbind "/$dir" "$root/$dir"
        mount --make-rslave "$root/$dir"
    done
    mkdir -p "$root/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
    mount --bind "$cache" "$root/var/cache/apt/archives"
    cp -a "$work/chislova-redica.git" "$root/srv/"
    chown -R "$uid:$uid" "$root/srv/chislova-redica.git"
}

# as_user ROOT COMMAND: runs COMMAND with bash in the user's home inside ROOT,
# with a login environment, the host's display and, as on the host, Node.js
# trusting the system's certificate authorities. Each step execs the next, so
# the process keeps its id until COMMAND ends.
as_user() {
    exec chroot "$1" setpriv --reuid="$uid" --regid="$uid" --init-groups \
        env -i HOME="/home/$user" USER="$user" LOGNAME="$user" SHELL=/bin/bash \
        PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt \
        bash -c "cd && $2"
}

start=$SECONDS
new_root quick-start
(as_user "$root" 'git clone --quiet /srv/chislova-redica.git chislova-redica')
echo "fresh root: ./run.sh as $user"
(as_user "$root" 'cd chislova-redica && exec ./run.sh') &
run_pid=$!
window=
while [ -z "$window" ]; do
    kill -0 $run_pid 2>/dev/null || { wait $run_pid || true; echo "fresh root: ./run.sh ended without a window" >&2; exit 1; }
    if ((SECONDS - start > 1200)); then
        echo "fresh root: no window from ./run.sh after 20 min" >&2
        exit 1
    fi
    # run.sh execs the program, so its window carries the id of the process started above.
    window=$(timeout 5 xdotool search --sync --onlyvisible --pid $run_pid --name "$title" 2>/dev/null | head -n 1) || true
done
echo "fresh root: ./run.sh opened the window in $(elapsed $start); closing it"
kill -TERM $run_pid
status=0
wait $run_pid || status=$?
run_pid=
[ $status -eq 143 ] || { echo "fresh root: the program ended with $status on SIGTERM" >&2; exit 1; }
if chroot "$root" dpkg-query -W -f='${Status}' libgtest-dev 2>/dev/null | grep -q 'ok installed'; then
    echo "fresh root: ./run.sh installed a test-only package" >&2
    exit 1
fi
[ ! -e "$root/home/$user/chislova-redica/build/tests" ] \
    || { echo "fresh root: ./run.sh built the tests" >&2; exit 1; }

start=$SECONDS
echo "fresh root: ./run.sh test as $user"
(as_user "$root" 'cd chislova-redica && ./run.sh test')
echo "fresh root: ./run.sh test passed in $(elapsed $start)"

# From a fresh clone, so that the test build's folder cannot stand in for the package's.
start=$SECONDS
if [ "$package_root" = second ]; then
    unmount_root "$root"
    rm -rf "$root"
    new_root package
    echo "fresh root: ./run.sh package as $user in a second root"
else
    echo "fresh root: ./run.sh package as $user from a fresh clone in the same root"
fi
(as_user "$root" 'mkdir package && cd package && git clone --quiet /srv/chislova-redica.git chislova-redica && cd chislova-redica && ./run.sh package')
build=$root/home/$user/package/chislova-redica/build
[ ! -e "$build/tests" ] || { echo "fresh root: ./run.sh package built the tests" >&2; exit 1; }
debs=("$build"/chislova-redica_*.deb)
[ -f "${debs[0]}" ] || { echo "fresh root: ./run.sh package made no .deb" >&2; exit 1; }
mkdir -p "$out/$suite"
cp "${debs[@]}" "$out/$suite/"
echo "fresh root: ./run.sh package built $(basename "${debs[0]}") in $(elapsed $start)"

# The Windows program as a user builds it, from a fresh clone too; it needs
# neither Wine nor a test framework.
start=$SECONDS
wine_before=$(chroot "$root" dpkg-query -W -f='${Status}' wine 2>/dev/null || true)
echo "fresh root: ./run.sh windows as $user from a fresh clone"
(as_user "$root" 'mkdir windows && cd windows && git clone --quiet /srv/chislova-redica.git chislova-redica && cd chislova-redica && ./run.sh windows') |
    tee "$work/windows.out"
build=$root/home/$user/windows/chislova-redica/build-windows
for file in chislova-redica.exe chislova-redica.msi; do
    grep -qxF "/home/$user/windows/chislova-redica/build-windows/$file" "$work/windows.out" ||
        { echo "fresh root: ./run.sh windows did not name $file" >&2; exit 1; }
    [ -s "$build/$file" ] || { echo "fresh root: ./run.sh windows made no $file" >&2; exit 1; }
done
[ ! -e "$build/tests" ] || { echo "fresh root: ./run.sh windows built the tests" >&2; exit 1; }
if [ -z "$wine_before" ] && chroot "$root" dpkg-query -W -f='${Status}' wine 2>/dev/null | grep -q 'ok installed'; then
    echo "fresh root: ./run.sh windows installed Wine" >&2
    exit 1
fi
cp "$build/chislova-redica.exe" "$build/chislova-redica.msi" "$out/$suite/"
echo "fresh root: ./run.sh windows built chislova-redica.exe ($(stat -c %s "$build/chislova-redica.exe") bytes) and chislova-redica.msi in $(elapsed $start)"
