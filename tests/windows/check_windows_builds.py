"""Cross-builds the Windows programs and proves them, for the native test run.

  check_windows_builds.py build SOURCE_DIR   configure and build both MinGW
      presets with their release zips, then check import tables and zips;
  check_windows_builds.py wine ARCH SOURCE_DIR   run the end-to-end cases
      against that build (x86 or x64) under wine with the stand-in board library.

Exits 77 (reported as skipped) with a plain message when the tools are missing.
"""

import glob
import os
import shutil
import subprocess
import sys

SKIPPED = 77
ARCHES = {"x86": ("i686-w64-mingw32", "win32"), "x64": ("x86_64-w64-mingw32", "win64")}
# End-to-end modules whose cases run under wine; every other one is named as not run.
WINE_MODULES = ["test_fractrace"]


def skip(message):
    print("SKIPPED: " + message)
    sys.exit(SKIPPED)


def step(command, cwd, env=None):
    print("+ " + " ".join(command), flush=True)
    done = subprocess.run(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)
    print(done.stdout, end="", flush=True)
    if done.returncode != 0:
        sys.exit("failed: " + " ".join(command))
    return done.stdout


def build(source):
    missing = [tool for triple, _ in ARCHES.values()
               for tool in (triple + "-g++", triple + "-dlltool", triple + "-objdump")
               if shutil.which(tool) is None]
    if missing:
        skip("the MinGW-w64 cross compilers are not installed (missing %s); "
             ".ci/run installs them" % ", ".join(missing))
    cmake = os.environ.get("CMAKE_COMMAND", "cmake")
    for arch, (triple, zip_arch) in ARCHES.items():
        preset = "mingw-" + arch
        step([cmake, "--preset", preset], source)
        output = step([cmake, "--build", "--preset", preset], source)
        if "warning" in output.lower():
            sys.exit("the %s build printed warnings" % preset)
        step([cmake, "--build", "--preset", preset, "--target", "package"], source)
        env = dict(os.environ, WIN_BUILD_DIR=os.path.join(source, "build", preset),
                   WIN_OBJDUMP=triple + "-objdump", WIN_ARCH=zip_arch,
                   PYTHONDONTWRITEBYTECODE="1")
        step([sys.executable, "-m", "unittest", "-v", "test_windows_build"],
             os.path.dirname(os.path.abspath(__file__)), env)


def works(command):
    try:
        return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=60).returncode == 0
    except OSError:
        return False


def wine_loader(arch):
    """The command that starts a program of `arch` under wine, or None."""
    # `wine` starts both kinds where the 32-bit loader runs; where the kernel
    # refuses 32-bit Linux programs only the 64-bit loader is left.
    if shutil.which("wine") and works(["wine", "--version"]):
        return "wine"
    if arch == "x64":
        for loader in ("wine64", "/usr/lib/wine/wine64", "/usr/lib64/wine/wine64"):
            if shutil.which(loader) and works([loader, "--version"]):
                return shutil.which(loader)
    return None


def wine(arch, source):
    if shutil.which("wine") is None and shutil.which("wine64") is None:
        skip("wine is not installed; .ci/run installs it")
    loader = wine_loader(arch)
    if loader is None:
        skip("32-bit Windows programs cannot run here: the 32-bit wine loader does not "
             "start (this machine's kernel does not run 32-bit Linux programs)")
    build_dir = os.path.join(source, "build", "mingw-" + arch)
    programs = glob.glob(os.path.join(build_dir, "bin", "*.exe"))
    library = os.path.join(build_dir, "standin_board", "K8055D.DLL")
    if not programs or not os.path.exists(library):
        sys.exit("no %s build to run: the windows_builds test makes it" % arch)

    # The programs and the stand-in library together, away from the build output.
    run_dir = os.path.join(build_dir, "wine-run")
    shutil.rmtree(run_dir, ignore_errors=True)
    os.makedirs(run_dir)
    for path in programs + [library]:
        shutil.copy2(path, run_dir)

    env = dict(os.environ, WINEPREFIX=os.path.join(source, "build", "wineprefix"),
               WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               E2E_BIN_DIR=run_dir, E2E_EXE_SUFFIX=".exe", E2E_RUNNER=loader,
               E2E_TRACE_WAITS="0", PYTHONDONTWRITEBYTECODE="1")
    if not os.path.isdir(env["WINEPREFIX"]):
        step([loader, "wineboot", "-i"], source, env)
    server = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
    try:
        e2e = os.path.join(source, "tests", "e2e")
        present = sorted(os.path.basename(p)[:-3] for p in glob.glob(os.path.join(e2e, "test_*.py")))
        for module in present:
            if module not in WINE_MODULES:
                print("NOT RUN under wine: %s (not in WINE_MODULES of %s)"
                      % (module, os.path.basename(__file__)))
        step([sys.executable, "-m", "unittest", "-v"] + [m for m in WINE_MODULES if m in present],
             e2e, env)
        # Cases for wine alone, next to this script.
        here = os.path.dirname(os.path.abspath(__file__))
        own = sorted(os.path.basename(p)[:-3] for p in glob.glob(os.path.join(here, "wine_test_*.py")))
        step([sys.executable, "-m", "unittest", "-v"] + own, here, env)
    finally:
        # Leave no wine server behind once the last run is over.
        subprocess.run([server, "-w"], env=env)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "build":
        build(os.path.abspath(sys.argv[2]))
    elif len(sys.argv) == 4 and sys.argv[1] == "wine" and sys.argv[2] in ARCHES:
        wine(sys.argv[2], os.path.abspath(sys.argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
