"""The Debian package as CPack makes it from the build tree, put through dpkg in a scratch root of
its own (its own admin folder; the libraries it depends on are the host's, so dependencies are not
checked there): every file lands below /usr where Debian's XScreenSaver looks; the installed
program plays from the package's data folder; an older version that had one more file upgrades to
it and the file goes; the same version installs again; purging leaves no file or folder of the
package. lintian, when it is installed, finds no error."""

import hashlib
import os
import shutil
import subprocess
from pathlib import Path

from board_image import Skin, squares_are_skin_cells
from native import run_test

STALE = "usr/share/quorvane/Skin/Gone.bmp"  # only in the older version


def run(session, args, what, env=None):
    result = subprocess.run(args, capture_output=True, text=True, env=env)
    session.require(result.returncode == 0,
                    f"{what} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout


def build_package(session):
    out = session.dir / "packages"
    cpack = session.config["cpack"]
    run(session, [cpack, "-G", "DEB", "--config", f"{session.config['build']}/CPackConfig.cmake",
                  "-B", str(out)], "cpack")
    packages = list(out.glob("quorvane_*.deb"))
    session.require(len(packages) == 1, f"cpack made {[p.name for p in packages]}")
    return packages[0]


def older_version(session, package, version):
    """The package again as version, holding one more file."""
    tree = session.dir / "older"
    run(session, ["dpkg-deb", "-R", str(package), str(tree)], "dpkg-deb -R")
    control = tree / "DEBIAN" / "control"
    control.write_text("".join(f"Version: {version}\n" if line.startswith("Version:") else line
                               for line in control.read_text().splitlines(True)))
    (tree / STALE).write_bytes(b"BM")
    with open(tree / "DEBIAN" / "md5sums", "a") as sums:
        sums.write(f"{hashlib.md5(b'BM').hexdigest()}  {STALE}\n")
    older = session.dir / f"quorvane_{version}.deb"
    run(session, ["dpkg-deb", "--root-owner-group", "-Znone", "-b", str(tree), str(older)],
        "dpkg-deb -b")
    return older


class ScratchRoot:
    def __init__(self, session):
        self.session = session
        self.path = session.dir / "root"
        admin = self.path / "var" / "lib" / "dpkg"
        for folder in ("updates", "info"):
            (admin / folder).mkdir(parents=True)
        (admin / "status").touch()
        # dpkg looks for ldconfig and its kin on PATH, also when not run by root.
        self.env = dict(os.environ, PATH=os.environ.get("PATH", "") + ":/usr/sbin:/sbin")

    def dpkg(self, *args):
        return run(self.session, ["dpkg", f"--root={self.path}", "--force-not-root",
                                  "--force-depends", "--log=/dev/null", *args],
                   f"dpkg {' '.join(args)}", self.env)

    def version(self):
        return run(self.session, ["dpkg-query", f"--root={self.path}", "-W", "-f=${Version}",
                                  "quorvane"], "dpkg-query", self.env)

    def files(self):
        """Every path below the root that is not dpkg's own, folders with a trailing slash."""
        found = set()
        for entry in self.path.rglob("*"):
            relative = entry.relative_to(self.path).as_posix()
            if relative == "var" or relative.startswith("var/"):
                continue
            found.add(relative + ("/" if entry.is_dir() and not entry.is_symlink() else ""))
        return found


def package_paths(session, package):
    """The package's files and folders as dpkg-deb lists them, as ScratchRoot.files gives them."""
    listing = run(session, ["dpkg-deb", "-c", str(package)], "dpkg-deb -c").splitlines()
    return {line.split(None, 5)[5].removeprefix("./") for line in listing} - {""}


def check_contents(session, paths):
    """The install rules' files (test_install checks where they go) below /usr and nowhere else."""
    for path in ("usr/libexec/xscreensaver/quorvane", "usr/share/quorvane/varnoth.pgn",
                 "usr/share/doc/quorvane/changelog.gz"):
        session.expect(path in paths, f"not in the package: {path}")
    outside = [path for path in paths if not path.startswith("usr/")]
    session.expect(not outside, f"the package has files outside /usr: {outside}")


def check_fields(session, package):
    fields = run(session, ["dpkg-deb", "-f", str(package), "Depends", "Recommends"], "dpkg-deb -f")
    session.note(fields.strip())
    depends, _, recommends = fields.partition("Recommends:")
    for wanted in ("libpangoxft-1.0-0", "libx11-6", "libxft2"):
        session.expect(wanted in depends, f"the package does not depend on {wanted}")
    session.expect("xscreensaver" in recommends, "the package does not recommend xscreensaver")


def check_installed_program(session, root):
    module = root.path / "usr" / "libexec" / "xscreensaver" / "quorvane"
    session.env.pop("QUORVANE_DATA_DIR")
    saver = session.start("-root", program=str(module))
    skins = [Skin(path) for path in sorted((root.path / "usr/share/quorvane/Skin").glob("*.bmp"))
             if path.name != "Gone.bmp"]
    image = session.wait_for(lambda im: any(squares_are_skin_cells(im, s) for s in skins), 8)
    session.expect(image is not None, "the installed program shows no board of the package's skins")
    session.stop(saver, what="packaged program")

    # The helper names a program outside XScreenSaver's folder by its full path.
    home = session.dir / "home"
    home.mkdir()
    run(session, [str(root.path / "usr/bin/quorvane-add-to-xscreensaver")], "the helper",
        dict(os.environ, HOME=str(home)))
    listed = (home / ".xscreensaver").read_text()
    session.expect(f'"Quorvane"  {module} --root' in listed,
                   f"the helper did not list {module}: {listed!r}")


def start_lintian(package):
    """lintian on the package, run beside the rest of the test; None when it is not installed."""
    if not shutil.which("lintian"):
        return None
    return subprocess.Popen(["lintian", "--tag-display-limit", "0", str(package)],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def check_lintian(session, lintian):
    if lintian is None:
        session.note("lintian is not installed: not run")
        return
    output, _ = lintian.communicate(timeout=90)
    tags = [line for line in output.splitlines() if line[:2] in ("E:", "W:", "I:")]
    session.note("lintian: " + ("; ".join(tags) if tags else "no tags"))
    errors = [line for line in tags if line.startswith("E:")]
    session.expect(not errors, f"lintian reports errors: {errors}")


def main(session):
    package = build_package(session)
    lintian = start_lintian(package)
    if lintian:
        session.processes.append(lintian)  # ended with the session if the test stops early
    check_fields(session, package)
    paths = package_paths(session, package)
    check_contents(session, paths)
    version = package.name.split("_")[1]

    root = ScratchRoot(session)
    root.dpkg("-i", str(older_version(session, package, version + "~old")))
    session.require((root.path / STALE).is_file(), "the older version did not install")
    root.dpkg("-i", str(package))
    session.expect(root.version() == version, f"after the upgrade dpkg has {root.version()}")
    session.expect(not (root.path / STALE).exists(), "the upgrade left the older version's file")
    session.expect(root.files() == paths,
                   f"installed and packaged differ: {sorted(root.files() ^ paths)[:8]}")
    desktop = (root.path / "usr/share/applications/screensavers/quorvane.desktop").read_text()
    session.expect("\nExec=/usr/libexec/xscreensaver/quorvane --root\n" in desktop,
                   "the desktop entry does not run /usr/libexec/xscreensaver/quorvane")
    check_installed_program(session, root)
    root.dpkg("-i", str(package))
    session.expect(root.version() == version, "the same version did not install again")

    root.dpkg("--purge", "quorvane")
    left = root.files()
    session.expect(not left, f"purging left {sorted(left)[:8]}")
    check_lintian(session, lintian)


if __name__ == "__main__":
    run_test(main)
