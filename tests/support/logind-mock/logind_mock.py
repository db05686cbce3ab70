#!/usr/bin/python3
"""A private logind for tests: a system-bus-like dbus-daemon of its own in a temporary folder, with
python3-dbusmock's logind template on it, so that power requests reach a mock and never the machine.

Run it with /usr/bin/python3 (the Debian interpreter that has python3-dbusmock), never through a shell.

  logind_mock.py run [options] -- COMMAND [ARG...]
      Starts the bus and the mock, waits until org.freedesktop.login1 is owned, runs COMMAND with
      DBUS_SYSTEM_BUS_ADDRESS set to the private bus (VESPER_POWER_LOG removed, so requests go to the
      bus; XDG_SESSION_ID removed unless --xdg-session-id is given), then cleans up and exits with
      COMMAND's status.

  logind_mock.py serve [options]
      Starts the same and prints one line, "DBUS_SYSTEM_BUS_ADDRESS=<address>", then reads commands
      from standard input, one a line, answering "ok" (after any output) or "error <text>" for each:
        fail METHOD ERROR_NAME MESSAGE...   make the Manager method METHOD raise that D-Bus error
        calls                               print the calls so far, one a line (format below)
      It cleans up and exits when standard input closes or on SIGTERM / SIGINT.

  Options:
    --fail-hibernate      Hibernate raises org.freedesktop.login1.SleepVerbNotSupported
                          "Not enough swap space for hibernation"
    --log FILE            (run only) at the end, write the calls the command made to FILE, one a line:
                          "<Method> <arguments>", e.g. "Hibernate False", "TerminateSession "c7"",
                          "Hibernate raised: <error name>: <message>" for a call that failed
    --session-id ID       the session that GetSessionByPID reports for every process (default "c7")
    --xdg-session-id ID   (run only) set XDG_SESSION_ID=ID for COMMAND

From Python: `with LogindMock(fail_hibernate=True) as mock:` gives mock.address, mock.fail(...),
mock.calls() (list of (method, argument text)). Everything the helper starts is ended on exit, also
when starting fails half-way; no dbus-daemon is left behind.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SERVICE = 'org.freedesktop.login1'
MANAGER_PATH = '/org/freedesktop/login1'
MANAGER = 'org.freedesktop.login1.Manager'
MOCK = 'org.freedesktop.DBus.Mock'
SYSTEM_PYTHON = '/usr/bin/python3'
START_TIMEOUT_S = 20.0

HIBERNATE_ERROR = ('org.freedesktop.login1.SleepVerbNotSupported', 'Not enough swap space for hibernation')

BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
'''


class LogindMock:
    def __init__(self, fail_hibernate=False, session_id='c7'):
        self.fail_hibernate = fail_hibernate
        self.session_id = session_id
        self.folder = None
        self.log = None
        self.setup_bytes = 0
        self.address = None
        self.daemon = None
        self.mock = None
        self.bus = None

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        self.folder = tempfile.mkdtemp(prefix='vesper-logind-')
        socket = os.path.join(self.folder, 'system_bus_socket')
        config = os.path.join(self.folder, 'bus.conf')
        with open(config, 'w', encoding='utf-8') as out:
            out.write(BUS_CONFIG.format(socket=socket))
        self.log = os.path.join(self.folder, 'calls.log')
        # The daemon's complaints (it may not raise its file limit) go to a file, not into test output.
        with open(os.path.join(self.folder, 'daemon.log'), 'w', encoding='utf-8') as daemon_log:
            self.daemon = subprocess.Popen(['dbus-daemon', '--config-file=' + config, '--nofork', '--print-address=1'],
                                           stdout=subprocess.PIPE, stderr=daemon_log, stdin=subprocess.DEVNULL,
                                           text=True)
        self.address = self.daemon.stdout.readline().strip()
        if not self.address:
            raise RuntimeError('dbus-daemon did not start')
        env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=self.address)
        self.mock = subprocess.Popen([SYSTEM_PYTHON, '-m', 'dbusmock', '--system', '-t', 'logind', '-l', self.log],
                                     env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        self._wait_for_owner()
        self._add_session()
        if self.fail_hibernate:
            self.fail('Hibernate', *HIBERNATE_ERROR)
        # The calls of the set-up above are not the test's.
        self.setup_bytes = os.path.getsize(self.log) if os.path.exists(self.log) else 0

    def _connect(self):
        import dbus  # the Debian python3-dbus, which python3-dbusmock brings
        return dbus.bus.BusConnection(self.address)

    def _wait_for_owner(self):
        deadline = time.monotonic() + START_TIMEOUT_S
        self.bus = self._connect()
        while time.monotonic() < deadline:
            if self.mock.poll() is not None:
                raise RuntimeError('the logind mock ended at start')
            if self.bus.name_has_owner(SERVICE):
                return
            time.sleep(0.05)
        raise RuntimeError('the logind mock did not take ' + SERVICE)

    def _mock_interface(self):
        import dbus
        return dbus.Interface(self.bus.get_object(SERVICE, MANAGER_PATH), MOCK)

    def _add_session(self):
        uid = os.getuid()
        try:
            import pwd
            user = pwd.getpwuid(uid).pw_name
        except KeyError:
            user = 'user%d' % uid
        mock = self._mock_interface()
        mock.AddSession(self.session_id, 'seat0', uid, user, True)
        path = '/org/freedesktop/login1/session/' + self.session_id
        mock.AddMethod(MANAGER, 'GetSessionByPID', 'u', 'o', 'ret = "%s"' % path)

    def fail(self, method, error_name, message):
        """Makes the Manager method raise the D-Bus error error_name with message."""
        code = 'raise dbus.exceptions.DBusException(%r, name=%r)' % (message, error_name)
        self._mock_interface().AddMethod(MANAGER, method, 'b' if method in (
            'PowerOff', 'Reboot', 'Suspend', 'Hibernate', 'HybridSleep', 'SuspendThenHibernate') else 's', '', code)

    def calls(self):
        """The calls made since the set-up: (method, argument text) in order."""
        found = []
        try:
            with open(self.log, encoding='utf-8') as log:
                log.seek(self.setup_bytes)
                for line in log:
                    parts = line.rstrip('\n').split(' ', 2)
                    if len(parts) >= 2:
                        found.append((parts[1], parts[2] if len(parts) > 2 else ''))
        except FileNotFoundError:
            pass
        return found

    def stop(self):
        if self.bus is not None:
            try:
                self.bus.close()
            except Exception:  # a bus that is already gone needs no closing
                pass
            self.bus = None
        for process in (self.mock, self.daemon):
            if process is None or process.poll() is not None:
                continue
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if self.daemon is not None and self.daemon.stdout:
            self.daemon.stdout.close()
        self.mock = self.daemon = None
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None


def command_env(mock, xdg_session_id):
    env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=mock.address)
    env.pop('VESPER_POWER_LOG', None)
    env.pop('XDG_SESSION_ID', None)
    if xdg_session_id:
        env['XDG_SESSION_ID'] = xdg_session_id
    return env


def call_lines(mock):
    return [(method + ' ' + arguments).rstrip() for method, arguments in mock.calls()]


def run(mock, args):
    child = subprocess.Popen(args.command, env=command_env(mock, args.xdg_session_id))
    try:
        status = child.wait()
    except KeyboardInterrupt:
        child.terminate()
        child.wait()
        status = 130
    if args.log:
        with open(args.log, 'w', encoding='utf-8') as out:
            out.writelines(line + '\n' for line in call_lines(mock))
    return status


def serve(mock):
    print('DBUS_SYSTEM_BUS_ADDRESS=' + mock.address, flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        try:
            if words[0] == 'fail' and len(words) >= 4:
                mock.fail(words[1], words[2], ' '.join(words[3:]))
            elif words == ['calls']:
                for call in call_lines(mock):
                    print(call)
            else:
                raise ValueError('unknown command: ' + line.strip())
            print('ok', flush=True)
        except Exception as e:  # the test reads the answer; the mock keeps serving
            print('error ' + str(e).replace('\n', ' '), flush=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description='A private logind mock for tests.')
    parser.add_argument('mode', choices=['run', 'serve'])
    parser.add_argument('--fail-hibernate', action='store_true')
    parser.add_argument('--log')
    parser.add_argument('--session-id', default='c7')
    parser.add_argument('--xdg-session-id')
    argv = sys.argv[1:]
    command = []
    if '--' in argv:
        split = argv.index('--')
        argv, command = argv[:split], argv[split + 1:]
    args = parser.parse_args(argv)
    args.command = command
    if args.mode == 'run' and not args.command:
        parser.error('run needs a command after --')

    # SIGTERM ends the helper through the same clean-up as the end of standard input.
    def stop_on_signal(signum, _frame):
        raise SystemExit(128 + signum)
    signal.signal(signal.SIGTERM, stop_on_signal)
    signal.signal(signal.SIGHUP, stop_on_signal)

    with LogindMock(args.fail_hibernate, args.session_id) as mock:
        return run(mock, args) if args.mode == 'run' else serve(mock)


if __name__ == '__main__':
    sys.exit(main())
