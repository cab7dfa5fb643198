"""Every test of the suite has its own time limit, so a fault that makes one hang fails it in bounded time.

Run by the suite itself with the test runner and the build folder: python3 test_time_limits.py CTEST BUILD.
"""
import json
import subprocess
import sys
import unittest

CTEST, BUILD = sys.argv[1], sys.argv[2]


def suite_tests():
    listing = subprocess.run([CTEST, '--test-dir', BUILD, '--show-only=json-v1'], check=True,
                             capture_output=True, text=True, timeout=60).stdout
    return json.loads(listing)['tests']


def time_limit(test):
    for prop in test.get('properties', []):
        if prop['name'] == 'TIMEOUT':
            return prop['value']
    return None


class TimeLimits(unittest.TestCase):
    def test_every_test_has_a_time_limit(self):
        tests = suite_tests()
        # The test programs' cases are listed once their programs are built: a suite of a few only
        # means the listing missed them.
        self.assertGreater(len(tests), 500)
        without = [t['name'] for t in tests if not time_limit(t) or time_limit(t) <= 0]
        self.assertEqual(without, [], 'tests without a time limit')


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1])
