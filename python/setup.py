"""Builds the corvellan package with the project's CMake and installs it.

    python3 -m venv --system-site-packages .venv
    .venv/bin/pip install --no-build-isolation ./python

Offline: the build takes CMake, the compiler, pybind11 and numpy from the
system (Debian's packages), nothing from the network.
"""

import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parent


class CMakeBuild(build_ext):
    """Configures a build of the module alone (no window, no tests) and copies
    the extension into the package."""

    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        subprocess.run(
            ["cmake", "-S", str(SOURCE), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
             "-DCORVELLAN_BUILD_GUI=OFF", "-DBUILD_TESTING=OFF", "-DCORVELLAN_PYTHON=ON",
             f"-DPython3_EXECUTABLE={sys.executable}"],
            check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "--target", "corvellan_python",
                        "-j", jobs], check=True)
        built = next((build / "python" / "corvellan").glob("_core*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    name="corvellan",
    version="0.1.0",
    description="The volunteering model and its analyses, from Python",
    packages=["corvellan"],
    package_data={"corvellan": ["__init__.pyi", "py.typed"]},
    ext_modules=[Extension("corvellan._core", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    python_requires=">=3.9",
    install_requires=["numpy", "pandas"],
    zip_safe=False,
)
