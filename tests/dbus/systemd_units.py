'''A systemd manager on the bus with scripted units, for the service-control
tests (python3-dbusmock template).

Parameters (JSON): {"units": {"<unit>": {"state": "<ActiveState>",
                                         "start": "done|pending|fail",
                                         "stop": "done|pending|fail"}}}
  done     the job completes at once (active / inactive)
  pending  the unit stays activating / deactivating
  fail     the job is refused with an access-denied error

Implements what the program uses: Manager.LoadUnit, Manager.GetUnit,
Manager.StartUnit, Manager.StopUnit and the units' LoadState and ActiveState.
An unknown unit loads as "not-found", as systemd does.
'''

import dbus

from dbusmock import mockobject

BUS_NAME = 'org.freedesktop.systemd1'
MAIN_OBJ = '/org/freedesktop/systemd1'
MAIN_IFACE = 'org.freedesktop.systemd1.Manager'
UNIT_IFACE = 'org.freedesktop.systemd1.Unit'
SYSTEM_BUS = True


def load(mock, parameters):
    mock.units = {}
    mock.scripts = {}
    mock.next_job = 1
    mock.AddProperties(MAIN_IFACE, {'Version': 'v252'})
    for name, script in parameters.get('units', {}).items():
        mock.scripts[name] = script
        add_unit(mock, name, 'loaded', script.get('state', 'inactive'))


def unit_path(name):
    return MAIN_OBJ + '/unit/' + ''.join(c if c.isalnum() else '_%02x' % ord(c) for c in name)


def add_unit(mock, name, load_state, active_state):
    path = unit_path(name)
    mock.AddObject(path, UNIT_IFACE,
                   {'Id': name, 'LoadState': load_state, 'ActiveState': active_state}, [])
    mock.units[name] = path
    return path


def no_such_unit(name):
    return dbus.exceptions.DBusException('Unit %s not loaded.' % name,
                                         name='org.freedesktop.systemd1.NoSuchUnit')


def run_job(mock, name, which, done_state, pending_state):
    name = str(name)
    script = mock.scripts.get(name)
    if script is None:
        raise no_such_unit(name)
    outcome = script.get(which, 'done')
    if outcome == 'fail':
        raise dbus.exceptions.DBusException('Access denied',
                                            name='org.freedesktop.DBus.Error.AccessDenied')
    state = done_state if outcome == 'done' else pending_state
    mockobject.objects[mock.units[name]].UpdateProperties(UNIT_IFACE, {'ActiveState': state})
    job = '%s/job/%d' % (MAIN_OBJ, mock.next_job)
    mock.next_job += 1
    return job


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='o')
def LoadUnit(self, name):
    name = str(name)
    if name in self.units:
        return self.units[name]
    return add_unit(self, name, 'not-found', 'inactive')


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='o')
def GetUnit(self, name):
    name = str(name)
    if name not in self.units:
        raise no_such_unit(name)
    return self.units[name]


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StartUnit(self, name, _mode):
    return run_job(self, name, 'start', 'active', 'activating')


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StopUnit(self, name, _mode):
    return run_job(self, name, 'stop', 'inactive', 'deactivating')
